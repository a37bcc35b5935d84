pragma ComponentBehavior: Bound

import QtQuick
import Roror.App
import Roror.Kit

// The installer list in report order (largest first) with its filter bar, selection buttons and
// column titles; or the empty state.
Item {
    id: root
    required property InstallerPage page

    InstallerListParts {
        id: parts
        page: root.page
    }

    NativeSection {
        objectName: "installerEmptySection"
        anchors.left: parent.left
        anchors.right: parent.right
        visible: root.page.entryCount === 0
        title: Tr.text("安装包列表", "Installer List")
        subtitle: root.page.summaryText
        glass: true
        EmptyState {
            objectName: "installerEmptyState"
            title: Tr.text("没有发现明显可整理的安装包", "No obvious installer files found")
            subtitle: Tr.text("下载、桌面和常见附件位置没有可列出的安装文件。", "There are no installer files to show in Downloads, Desktop, or common attachment locations.")
            systemImage: "checkmark.circle"
        }
    }
    ScrollableResultsSection {
        objectName: "installerResults"
        anchors.fill: parent
        visible: root.page.entryCount > 0
        title: Tr.text("安装包列表", "Installer List")
        subtitle: root.page.summaryText
        glass: true
        listSpacing: 8
        header: parts.header
        model: root.page.entries
        delegate: InstallerPreviewRow {
            page: root.page
        }
    }
}
