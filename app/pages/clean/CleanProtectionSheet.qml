import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// The Smart Clean protection list: one path or rule per line, edited in the model's working copy.
// Save writes it through the model and closes; Cancel only closes. A list that could not be read
// says so and cannot be saved over.
ProtectionSheet {
    id: root
    objectName: "cleanProtectionSheet"
    width: 680
    height: 520
    presented: root.model.showingCleanProtectionSheet && root.hostVisible
    onDismissed: if (root.model.showingCleanProtectionSheet) root.model.showingCleanProtectionSheet = false
    editor: cleanEditor
    name: "cleanProtection"
    title: Tr.text("保护名单", "Protection List")
    explanation: Tr.text("每行一个路径或规则。保存后，这些位置在智能清理时会自动跳过。", "Use one path or rule per line. After saving, these locations will be skipped during Smart Clean.")

    CleanProtectionEditor {
        id: cleanEditor
        model: root.model
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
                text: cleanEditor.text
                onTextChanged: cleanEditor.text = text
                readOnly: cleanEditor.file.loadFailed
                textFormat: TextEdit.PlainText
                wrapMode: TextEdit.NoWrap
                selectByMouse: true
                color: AppTheme.ink
                selectionColor: AppTheme.faded(AppTheme.orbCool, 0.35)
                selectedTextColor: AppTheme.ink
                font: AppTypography.font(12, Font.Normal, "monospaced", AppTypography.usesEnglish)
                padding: 0
                background: null
                Accessible.name: Tr.text("保护名单", "Protection List")
            }
        }
    }
}
