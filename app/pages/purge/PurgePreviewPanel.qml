pragma ComponentBehavior: Bound

import QtQuick
import Roror.App
import Roror.Kit

// The found folders, largest first, each with reveal, open and Trash; or the empty state.
Item {
    id: root
    required property PurgePage page

    PurgeListParts {
        id: parts
    }

    NativeSection {
        objectName: "purgeEmptySection"
        anchors.left: parent.left
        anchors.right: parent.right
        visible: root.page.entryCount === 0
        title: Tr.text("预览结果", "Preview Results")
        subtitle: root.page.summaryText
        glass: true
        EmptyState {
            objectName: "purgeEmptyState"
            title: Tr.text("当前范围里没有明显可整理的项目产物", "No obvious cleanup targets in this scope")
            subtitle: Tr.text("换一个项目目录再试试。", "Try another project folder.")
            systemImage: "checkmark.circle"
        }
    }
    ScrollableResultsSection {
        objectName: "purgeResults"
        anchors.fill: parent
        visible: root.page.entryCount > 0
        title: Tr.text("预览结果", "Preview Results")
        subtitle: root.page.summaryText
        glass: true
        listSpacing: 8
        header: parts.header
        model: root.page.entries
        delegate: PurgePreviewRow {
            page: root.page
        }
    }
}
