import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The navigation column: brand block, the seven page items from the top, Settings at the bottom.
// It only asks for a page; the root view owns the selection.
Item {
    id: root
    // Raw value of the selected page.
    required property string selection
    signal selectionRequested(string feature)

    objectName: "sidebar"

    // The hairline between sidebar and page area.
    Rectangle {
        anchors.right: parent.right
        width: 0.5
        height: parent.height
        color: AppTheme.dark ? AppTheme.shade(0.08) : AppTheme.wash(0.22)
    }

    SidebarBrand {
        id: brand
        x: 18
        y: 44
        width: parent.width - 36
    }

    Item {
        id: navigation
        anchors.fill: parent
        anchors.topMargin: brand.y + brand.height + 24
        anchors.leftMargin: 12
        anchors.rightMargin: 12
        anchors.bottomMargin: 20

        // The surface of the selected item. It slides to a newly selected item; when the column
        // is laid out anew (a resize) it follows its item at once.
        LiquidGlassSurface {
            id: selectionSurface
            objectName: "sidebarSelection"
            x: 0
            width: navigation.width
            height: 42
            capsule: true
            state: root.selection
            states: [
                State { name: "dashboard"; PropertyChanges { selectionSurface.y: dashboardItem.y } },
                State { name: "clean"; PropertyChanges { selectionSurface.y: cleanItem.y } },
                State { name: "uninstall"; PropertyChanges { selectionSurface.y: uninstallItem.y } },
                State { name: "optimize"; PropertyChanges { selectionSurface.y: optimizeItem.y } },
                State { name: "analyze"; PropertyChanges { selectionSurface.y: analyzeItem.y } },
                State { name: "purge"; PropertyChanges { selectionSurface.y: purgeItem.y } },
                State { name: "installer"; PropertyChanges { selectionSurface.y: installerItem.y } },
                State { name: "maintenance"; PropertyChanges { selectionSurface.y: settingsItem.y } }
            ]
            transitions: Transition {
                NumberAnimation { property: "y"; duration: 350; easing.type: Easing.InOutQuad }
            }
        }

        ColumnLayout {
            anchors.fill: parent
            spacing: 4

            SidebarItem {
                id: dashboardItem
                Layout.fillWidth: true
                feature: "dashboard"
                title: Tr.text("概览", "Overview")
                systemImage: "gauge.with.dots.needle.bottom.50percent"
                selected: root.selection === feature
                onActivated: feature => root.selectionRequested(feature)
            }
            SidebarItem {
                id: cleanItem
                Layout.fillWidth: true
                feature: "clean"
                title: Tr.text("智能清理", "Smart Clean")
                systemImage: "sparkles"
                selected: root.selection === feature
                onActivated: feature => root.selectionRequested(feature)
            }
            SidebarItem {
                id: uninstallItem
                Layout.fillWidth: true
                feature: "uninstall"
                title: Tr.text("卸载应用", "Uninstall Apps")
                systemImage: "app.dashed"
                selected: root.selection === feature
                onActivated: feature => root.selectionRequested(feature)
            }
            SidebarItem {
                id: optimizeItem
                Layout.fillWidth: true
                feature: "optimize"
                title: Tr.text("优化加速", "Optimize")
                systemImage: "speedometer"
                selected: root.selection === feature
                onActivated: feature => root.selectionRequested(feature)
            }
            SidebarItem {
                id: analyzeItem
                Layout.fillWidth: true
                feature: "analyze"
                title: Tr.text("空间分析", "Storage Analysis")
                systemImage: "chart.pie"
                selected: root.selection === feature
                onActivated: feature => root.selectionRequested(feature)
            }
            SidebarItem {
                id: purgeItem
                Layout.fillWidth: true
                feature: "purge"
                title: Tr.text("项目瘦身", "Project Cleanup")
                systemImage: "shippingbox"
                selected: root.selection === feature
                onActivated: feature => root.selectionRequested(feature)
            }
            SidebarItem {
                id: installerItem
                Layout.fillWidth: true
                feature: "installer"
                title: Tr.text("安装包整理", "Installer Cleanup")
                systemImage: "externaldrive.badge.minus"
                selected: root.selection === feature
                onActivated: feature => root.selectionRequested(feature)
            }
            Item {
                Layout.fillHeight: true
                Layout.minimumHeight: 24
            }
            SidebarItem {
                id: settingsItem
                Layout.fillWidth: true
                feature: "maintenance"
                title: Tr.text("设置", "Settings")
                systemImage: "gearshape"
                selected: root.selection === feature
                onActivated: feature => root.selectionRequested(feature)
            }
        }
    }
}
