pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Controls

// The optimization safeguards: one tick per catalogue task (a ticked task is skipped), the count
// of the file's custom entries, Restore Defaults, Cancel and Save. A file that could not be read
// says so and cannot be saved over.
SheetFrame {
    id: root
    required property AppModel model
    objectName: "optimizeProtectionSheet"
    width: 620
    height: 560
    // Only the page on screen presents it.
    property bool hostVisible: true
    presented: root.model.showingOptimizeProtectionSheet && root.hostVisible
    onDismissed: if (root.model.showingOptimizeProtectionSheet) root.model.showingOptimizeProtectionSheet = false

    OptimizeSafeguards {
        id: safeguards
        model: root.model
    }

    // Return is the sheet's default action wherever the focused item leaves it unused.
    ColumnLayout {
        anchors.fill: parent
        spacing: 16
        focus: true
        Keys.onReturnPressed: if (safeguards.canSave) safeguards.save()
        Keys.onEnterPressed: if (safeguards.canSave) safeguards.save()

        ColumnLayout {
            Layout.fillWidth: true
            Layout.topMargin: 22
            Layout.leftMargin: 22
            Layout.rightMargin: 22
            spacing: 4
            Text {
                objectName: "optimizeSafeguardsTitle"
                Layout.fillWidth: true
                text: Loc.chinese ? "优化保护项" : "Optimization Safeguards"
                textFormat: Text.PlainText
                color: AppTheme.ink
                font: AppTypography.font(20, Font.DemiBold, "default", AppTypography.usesEnglish)
            }
            Text {
                Layout.fillWidth: true
                text: Loc.chinese ? "勾选后，优化执行时会跳过对应步骤。此名单仅用于优化，与清理保护名单无关。" : "Checked items will be skipped during optimization. This list applies to optimization only and is separate from the cleanup protection list."
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                color: AppTheme.muted
                font: AppTypography.font(13, Font.Normal, "default", AppTypography.usesEnglish)
            }
        }

        RowLayout {
            objectName: "optimizeSafeguardsLoadError"
            Layout.fillWidth: true
            Layout.leftMargin: 22
            Layout.rightMargin: 22
            visible: safeguards.loadFailed
            spacing: 8
            SymbolImage {
                Layout.alignment: Qt.AlignTop
                systemName: "exclamationmark.triangle.fill"
                size: 15
                color: AppTheme.amber
            }
            Text {
                objectName: "optimizeSafeguardsLoadErrorText"
                Layout.fillWidth: true
                text: safeguards.loadErrorText
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                color: AppTheme.ink
                font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
            }
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
                    enabled: !safeguards.loadFailed
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
                    enabled: !safeguards.loadFailed
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

        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 22
            Layout.rightMargin: 22
            Layout.bottomMargin: 22
            spacing: 8
            BorderedButton {
                objectName: "optimizeSafeguardsRestore"
                title: Loc.chinese ? "恢复默认" : "Restore Defaults"
                enabled: !safeguards.loadFailed
                onClicked: safeguards.restoreDefaults()
            }
            Item {
                Layout.fillWidth: true
            }
            BorderedButton {
                objectName: "optimizeSafeguardsCancel"
                title: Loc.chinese ? "取消" : "Cancel"
                onClicked: safeguards.cancel()
            }
            BorderedButton {
                objectName: "optimizeSafeguardsSave"
                title: Loc.chinese ? "保存" : "Save"
                prominent: true
                enabled: safeguards.canSave
                onClicked: safeguards.save()
            }
        }
    }
}
