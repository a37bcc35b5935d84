import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Controls

// The Smart Clean protection list: one path or rule per line, edited in the model's working copy.
// Save writes it through the model and closes; Cancel only closes. A list that could not be read
// says so and cannot be saved over.
SheetFrame {
    id: root
    required property AppModel model
    objectName: "cleanProtectionSheet"
    width: 680
    height: 520
    // Only the page on screen presents it.
    property bool hostVisible: true
    presented: root.model.showingCleanProtectionSheet && root.hostVisible
    onDismissed: if (root.model.showingCleanProtectionSheet) root.model.showingCleanProtectionSheet = false

    CleanProtectionEditor {
        id: editor
        model: root.model
    }

    // Return is the sheet's default action wherever the focused item leaves it unused.
    ColumnLayout {
        anchors.fill: parent
        spacing: 16
        focus: true
        Keys.onReturnPressed: if (editor.canSave) editor.save()
        Keys.onEnterPressed: if (editor.canSave) editor.save()

        ColumnLayout {
            Layout.fillWidth: true
            Layout.topMargin: 22
            Layout.leftMargin: 22
            Layout.rightMargin: 22
            spacing: 4
            Text {
                objectName: "cleanProtectionTitle"
                Layout.fillWidth: true
                text: Loc.chinese ? "保护名单" : "Protection List"
                textFormat: Text.PlainText
                color: AppTheme.ink
                font: AppTypography.font(20, Font.DemiBold, "default", AppTypography.usesEnglish)
            }
            Text {
                Layout.fillWidth: true
                text: Loc.chinese ? "每行一个路径或规则。保存后，这些位置在智能清理时会自动跳过。" : "Use one path or rule per line. After saving, these locations will be skipped during Smart Clean."
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                color: AppTheme.muted
                font: AppTypography.font(13, Font.Normal, "default", AppTypography.usesEnglish)
            }
        }

        RowLayout {
            objectName: "cleanProtectionLoadError"
            Layout.fillWidth: true
            Layout.leftMargin: 22
            Layout.rightMargin: 22
            visible: editor.loadFailed
            spacing: 8
            SymbolImage {
                Layout.alignment: Qt.AlignTop
                systemName: "exclamationmark.triangle.fill"
                size: 15
                color: AppTheme.amber
            }
            Text {
                objectName: "cleanProtectionLoadErrorText"
                Layout.fillWidth: true
                text: editor.loadErrorText
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                color: AppTheme.ink
                font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
            }
        }

        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.leftMargin: 22
            Layout.rightMargin: 22
            LiquidGlassSurface {
                anchors.fill: parent
                cornerRadius: 8
            }
            ScrollView {
                anchors.fill: parent
                anchors.margins: 10
                TextArea {
                    id: textArea
                    objectName: "cleanProtectionEditor"
                    text: editor.text
                    onTextChanged: editor.text = text
                    readOnly: editor.loadFailed
                    textFormat: TextEdit.PlainText
                    wrapMode: TextEdit.NoWrap
                    selectByMouse: true
                    color: AppTheme.ink
                    selectionColor: AppTheme.faded(AppTheme.orbCool, 0.35)
                    selectedTextColor: AppTheme.ink
                    font: AppTypography.font(12, Font.Normal, "monospaced", AppTypography.usesEnglish)
                    padding: 0
                    background: null
                    Accessible.name: Loc.chinese ? "保护名单" : "Protection List"
                }
            }
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 22
            Layout.rightMargin: 22
            Layout.bottomMargin: 22
            spacing: 8
            BorderedButton {
                objectName: "cleanProtectionRestore"
                title: Loc.chinese ? "恢复默认" : "Restore Defaults"
                enabled: !editor.loadFailed
                onClicked: editor.restoreDefaults()
            }
            Item {
                Layout.fillWidth: true
            }
            BorderedButton {
                objectName: "cleanProtectionCancel"
                title: Loc.chinese ? "取消" : "Cancel"
                onClicked: editor.cancel()
            }
            BorderedButton {
                objectName: "cleanProtectionSave"
                title: Loc.chinese ? "保存" : "Save"
                prominent: true
                enabled: editor.canSave
                onClicked: editor.save()
            }
        }
    }
}
