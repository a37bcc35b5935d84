pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The Optimize preview: one row per task in the report's order, or an empty state; the subtitle
// counts the tasks.
ColumnLayout {
    id: root
    required property OptimizePage page
    spacing: 0

    NativeSection {
        objectName: "optimizePreviewEmpty"
        Layout.fillWidth: true
        visible: root.page.reportIsEmpty
        title: Tr.text("预览结果", "Preview Results")
        subtitle: root.page.summaryText
        glass: true
        EmptyState {
            title: Tr.text("当前没有需要展示的优化内容", "No optimization items to show")
            subtitle: Tr.text("系统当前状态比较稳定。", "The system looks fairly stable right now.")
            systemImage: "checkmark.circle"
        }
    }

    ScrollableResultsSection {
        objectName: "optimizePreviewResults"
        Layout.fillWidth: true
        Layout.fillHeight: true
        visible: !root.page.reportIsEmpty
        title: Tr.text("预览结果", "Preview Results")
        subtitle: root.page.summaryText
        glass: true
        listSpacing: 8
        header: null
        model: root.page.rows
        delegate: ResultsTableRow {
            id: row
            required property string name
            required property string description
            required property string detail
            required property bool hasDetail
            objectName: "optimizePreviewRow"
            spacing: 12
            SymbolImage {
                Layout.preferredWidth: 22
                systemName: "wrench.adjustable"
                size: 15
                color: AppTheme.accent
            }
            ColumnLayout {
                Layout.fillWidth: true
                Layout.preferredWidth: 0
                spacing: 2
                Text {
                    objectName: "optimizeRowName"
                    Layout.fillWidth: true
                    text: row.name
                    textFormat: Text.PlainText
                    wrapMode: Text.Wrap
                    color: AppTheme.ink
                    font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
                }
                Text {
                    objectName: "optimizeRowDescription"
                    Layout.fillWidth: true
                    text: row.description
                    textFormat: Text.PlainText
                    wrapMode: Text.Wrap
                    color: AppTheme.muted
                    font: AppTypography.font(11, Font.Normal, "default", AppTypography.usesEnglish)
                }
                Text {
                    objectName: "optimizeRowDetail"
                    Layout.fillWidth: true
                    visible: row.hasDetail
                    text: row.detail
                    textFormat: Text.PlainText
                    wrapMode: Text.Wrap
                    color: AppTheme.quiet
                    font: AppTypography.font(11, Font.Normal, "default", AppTypography.usesEnglish)
                }
            }
        }
    }
}
