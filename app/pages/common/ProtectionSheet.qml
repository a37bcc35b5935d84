import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The frame of both protection sheets: title and explanation, the load error when the file could
// not be read, the sheet's own content (filling), then Restore Defaults, Cancel and Save. `editor`
// is the sheet's C++ side: its restoreDefaults() and its ProtectionFile `file`; `name` prefixes
// the object names of the frame's parts.
SheetFrame {
    id: root
    required property AppModel model
    // Only the page on screen presents it.
    property bool hostVisible: true
    required property var editor
    property string name
    property string title
    property string explanation
    default property alias content: body.data

    // Return is the sheet's default action wherever the focused item leaves it unused.
    ColumnLayout {
        objectName: root.name + "Frame"
        anchors.fill: parent
        spacing: 16
        focus: true
        Keys.onReturnPressed: if (root.editor.file.canSave) root.editor.file.save()
        Keys.onEnterPressed: if (root.editor.file.canSave) root.editor.file.save()

        ColumnLayout {
            Layout.fillWidth: true
            Layout.topMargin: 22
            Layout.leftMargin: 22
            Layout.rightMargin: 22
            spacing: 4
            Text {
                objectName: root.name + "Title"
                Layout.fillWidth: true
                text: root.title
                textFormat: Text.PlainText
                color: AppTheme.ink
                font: AppTypography.font(20, Font.DemiBold, "default", AppTypography.usesEnglish)
            }
            Text {
                Layout.fillWidth: true
                text: root.explanation
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                color: AppTheme.muted
                font: AppTypography.font(13, Font.Normal, "default", AppTypography.usesEnglish)
            }
        }

        RowLayout {
            objectName: root.name + "LoadError"
            Layout.fillWidth: true
            Layout.leftMargin: 22
            Layout.rightMargin: 22
            visible: root.editor.file.loadFailed
            spacing: 8
            SymbolImage {
                Layout.alignment: Qt.AlignTop
                systemName: "exclamationmark.triangle.fill"
                size: 15
                color: AppTheme.amber
            }
            Text {
                objectName: root.name + "LoadErrorText"
                Layout.fillWidth: true
                text: root.editor.file.loadErrorText
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                color: AppTheme.ink
                font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
            }
        }

        ColumnLayout {
            id: body
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 16
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 22
            Layout.rightMargin: 22
            Layout.bottomMargin: 22
            spacing: 8
            BorderedButton {
                objectName: root.name + "Restore"
                title: Tr.text("恢复默认", "Restore Defaults")
                enabled: !root.editor.file.loadFailed
                onClicked: root.editor.restoreDefaults()
            }
            Item {
                Layout.fillWidth: true
            }
            BorderedButton {
                objectName: root.name + "Cancel"
                title: Tr.text("取消", "Cancel")
                onClicked: root.editor.file.cancel()
            }
            BorderedButton {
                objectName: root.name + "Save"
                title: Tr.text("保存", "Save")
                prominent: true
                enabled: root.editor.file.canSave
                onClicked: root.editor.file.save()
            }
        }
    }
}
