pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// The optimization safeguards: one tick per catalogue task (a ticked task is skipped), the count
// of the file's custom entries, Restore Defaults, Cancel and Save. A file that could not be read
// says so and cannot be saved over.
ProtectionSheet {
    id: root
    objectName: "optimizeProtectionSheet"
    width: 620
    height: 560
    presented: root.model.showingOptimizeProtectionSheet && root.hostVisible
    onDismissed: if (root.model.showingOptimizeProtectionSheet) root.model.showingOptimizeProtectionSheet = false
    editor: safeguards
    name: "optimizeSafeguards"
    title: Tr.text("优化保护项", "Optimization Safeguards")
    explanation: Tr.text("勾选后，优化执行时会跳过对应步骤。此名单仅用于优化，与清理保护名单无关。", "Checked items will be skipped during optimization. This list applies to optimization only and is separate from the cleanup protection list.")

    OptimizeSafeguards {
        id: safeguards
        model: root.model
    }

    ListView {
        id: options
        objectName: "optimizeSafeguardsList"
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.leftMargin: 22
        Layout.rightMargin: 22
        clip: true
        spacing: 8
        boundsBehavior: Flickable.StopAtBounds
        model: safeguards
        delegate: NativeListRow {
            id: option
            required property string optionId
            required property string title
            required property string detail
            required property bool checked
            objectName: "safeguardRow"
            verticalPadding: 8
            spacing: 8
            CheckMark {
                objectName: "safeguardCheck"
                Layout.alignment: Qt.AlignVCenter
                checked: option.checked
                enabled: !safeguards.file.loadFailed
                onToggled: checked => safeguards.setChecked(option.optionId, checked)
            }
            ColumnLayout {
                spacing: 2
                Layout.maximumWidth: Math.max(0, options.width - 28 - 24)
                Text {
                    objectName: "safeguardTitle"
                    Layout.fillWidth: true
                    text: option.title
                    textFormat: Text.PlainText
                    wrapMode: Text.Wrap
                    color: AppTheme.ink
                    font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
                }
                Text {
                    Layout.fillWidth: true
                    text: option.detail
                    textFormat: Text.PlainText
                    wrapMode: Text.Wrap
                    color: AppTheme.muted
                    font: AppTypography.font(12, Font.Normal, "default", AppTypography.usesEnglish)
                }
            }
            TapHandler {
                enabled: !safeguards.file.loadFailed
                onTapped: safeguards.setChecked(option.optionId, !option.checked)
            }
        }
        KeyboardScroller {
            target: options
        }
    }

    Text {
        objectName: "optimizeSafeguardsCustomCount"
        Layout.fillWidth: true
        Layout.leftMargin: 22
        Layout.rightMargin: 22
        visible: safeguards.customCountText.length > 0
        text: safeguards.customCountText
        textFormat: Text.PlainText
        color: AppTheme.muted
        font: AppTypography.font(12, Font.Normal, "default", AppTypography.usesEnglish)
    }
}
