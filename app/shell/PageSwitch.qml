import QtQuick
import Roror.App
import Roror.Kit
import Roror.Dashboard

// The page area: exactly one page, the one the sidebar selects. Each page is one slot below. A
// slot builds its page when the page is selected and throws it away when another one is, so a
// page shown again starts from its own defaults; everything kept in the model survives.
//
// A page's slot holds its view built over the model, e.g. `CleanView { model: root.model }`
// (import its module above). Until a page is built, its slot shows an empty state with its title.
Item {
    id: root
    required property AppModel model
    // Raw value of the selected page.
    required property string selectedFeature

    // ---- Overview (DashboardView from Roror.Dashboard) ----
    Loader {
        objectName: "page.dashboard"
        anchors.fill: parent
        active: root.selectedFeature === "dashboard"
        visible: active
        sourceComponent: Component {
            DashboardView {
                model: root.model // qmllint disable unqualified
            }
        }
    }

    // ---- Smart Clean (CleanView from Roror.Pages.Clean) ----
    Loader {
        objectName: "page.clean"
        anchors.fill: parent
        active: root.selectedFeature === "clean"
        visible: active
        sourceComponent: Component {
            EmptyState {
                title: Loc.chinese ? "智能清理" : "Smart Clean"
                systemImage: "sparkles"
            }
        }
    }

    // ---- Uninstall Apps (UninstallView from Roror.Pages.Uninstall) ----
    Loader {
        objectName: "page.uninstall"
        anchors.fill: parent
        active: root.selectedFeature === "uninstall"
        visible: active
        sourceComponent: Component {
            EmptyState {
                title: Loc.chinese ? "卸载应用" : "Uninstall Apps"
                systemImage: "app.dashed"
            }
        }
    }

    // ---- Optimize (OptimizeView from Roror.Pages.Optimize) ----
    Loader {
        objectName: "page.optimize"
        anchors.fill: parent
        active: root.selectedFeature === "optimize"
        visible: active
        sourceComponent: Component {
            EmptyState {
                title: Loc.chinese ? "优化加速" : "Optimize"
                systemImage: "speedometer"
            }
        }
    }

    // ---- Storage Analysis (AnalyzeView from Roror.Pages.Analyze) ----
    Loader {
        objectName: "page.analyze"
        anchors.fill: parent
        active: root.selectedFeature === "analyze"
        visible: active
        sourceComponent: Component {
            EmptyState {
                title: Loc.chinese ? "空间分析" : "Storage Analysis"
                systemImage: "chart.pie"
            }
        }
    }

    // ---- Project Cleanup (PurgeView from Roror.Pages.Purge) ----
    Loader {
        objectName: "page.purge"
        anchors.fill: parent
        active: root.selectedFeature === "purge"
        visible: active
        sourceComponent: Component {
            EmptyState {
                title: Loc.chinese ? "项目瘦身" : "Project Cleanup"
                systemImage: "shippingbox"
            }
        }
    }

    // ---- Installer Cleanup (InstallerView from Roror.Pages.Installer) ----
    Loader {
        objectName: "page.installer"
        anchors.fill: parent
        active: root.selectedFeature === "installer"
        visible: active
        sourceComponent: Component {
            EmptyState {
                title: Loc.chinese ? "安装包整理" : "Installer Cleanup"
                systemImage: "externaldrive.badge.minus"
            }
        }
    }

    // ---- Settings (MaintenanceView from Roror.Pages.Maintenance) ----
    Loader {
        objectName: "page.maintenance"
        anchors.fill: parent
        active: root.selectedFeature === "maintenance"
        visible: active
        sourceComponent: Component {
            EmptyState {
                title: Loc.chinese ? "设置" : "Settings"
                systemImage: "gearshape"
            }
        }
    }
}
