pragma ComponentBehavior: Bound

import QtQuick
import Roror.App
import Roror.Kit

// The app table of the last preview in the chosen order, with the selection toolbar while
// choosing apps; or the empty state (without toolbar or sort controls).
Item {
    id: root
    required property UninstallPage page

    UninstallListParts {
        id: parts
        page: root.page
    }

    NativeSection {
        objectName: "uninstallEmptySection"
        anchors.left: parent.left
        anchors.right: parent.right
        visible: root.page.entryCount === 0
        title: Tr.text("预览结果", "Preview Results")
        subtitle: root.page.summaryText
        glass: true
        EmptyState {
            objectName: "uninstallEmptyState"
            title: Tr.text("当前没有可显示的应用项目", "No app items to show")
            subtitle: Tr.text("没有找到可列出的应用。", "No apps were found to list.")
            systemImage: "checkmark.circle"
        }
    }
    ScrollableResultsSection {
        objectName: "uninstallResults"
        anchors.fill: parent
        visible: root.page.entryCount > 0
        title: Tr.text("预览结果", "Preview Results")
        subtitle: root.page.summaryText
        glass: true
        listSpacing: 8
        header: parts.header
        model: root.page.entries
        delegate: UninstallPreviewRow {
            page: root.page
        }
    }
}
