pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The Smart Clean preview: the titled list of the report's entries in the report's order with
// the summary as its subtitle, or an empty state when the report has no entries.
ColumnLayout {
    id: root
    required property CleanPage page
    spacing: 0

    NativeSection {
        objectName: "cleanPreviewEmpty"
        Layout.fillWidth: true
        visible: root.page.reportIsEmpty
        title: Tr.text("预览结果", "Preview Results")
        subtitle: root.page.summaryText
        glass: true
        EmptyState {
            title: Tr.text("没有发现明显可清理项目", "No clear cleanup targets found")
            subtitle: Tr.text("当前无需处理。", "Nothing needs attention right now.")
            systemImage: "checkmark.circle"
        }
    }

    ScrollableResultsSection {
        objectName: "cleanPreviewResults"
        Layout.fillWidth: true
        Layout.fillHeight: true
        visible: !root.page.reportIsEmpty
        title: Tr.text("预览结果", "Preview Results")
        subtitle: root.page.summaryText
        glass: true
        listSpacing: 8
        header: null
        model: root.page.rows
        delegate: CleanPreviewRow {
            page: root.page
        }
    }
}
