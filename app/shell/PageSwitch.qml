import QtQuick
import Roror.App
import Roror.Kit
import Roror.Dashboard
import Roror.Pages.Analyze
import Roror.Pages.Installer
import Roror.Pages.Purge
import Roror.Pages.Uninstall
import Roror.Pages.Clean
import Roror.Pages.Maintenance
import Roror.Pages.Optimize

// The page area: exactly one page, the one the sidebar selects. Each page is one slot below. A
// slot builds its page when the page is selected and throws it away when another one is, so a
// page shown again starts from its own defaults; everything kept in the model survives.
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
            CleanView { model: root.model } // qmllint disable unqualified
        }
    }

    // ---- Uninstall Apps (UninstallView from Roror.Pages.Uninstall) ----
    Loader {
        objectName: "page.uninstall"
        anchors.fill: parent
        active: root.selectedFeature === "uninstall"
        visible: active
        sourceComponent: Component {
            UninstallView { model: root.model } // qmllint disable unqualified
        }
    }

    // ---- Optimize (OptimizeView from Roror.Pages.Optimize) ----
    Loader {
        objectName: "page.optimize"
        anchors.fill: parent
        active: root.selectedFeature === "optimize"
        visible: active
        sourceComponent: Component {
            OptimizeView { model: root.model } // qmllint disable unqualified
        }
    }

    // ---- Storage Analysis (AnalyzeView from Roror.Pages.Analyze) ----
    Loader {
        objectName: "page.analyze"
        anchors.fill: parent
        active: root.selectedFeature === "analyze"
        visible: active
        sourceComponent: Component {
            AnalyzeView { model: root.model } // qmllint disable unqualified
        }
    }

    // ---- Project Cleanup (PurgeView from Roror.Pages.Purge) ----
    Loader {
        objectName: "page.purge"
        anchors.fill: parent
        active: root.selectedFeature === "purge"
        visible: active
        sourceComponent: Component {
            PurgeView { model: root.model } // qmllint disable unqualified
        }
    }

    // ---- Installer Cleanup (InstallerView from Roror.Pages.Installer) ----
    Loader {
        objectName: "page.installer"
        anchors.fill: parent
        active: root.selectedFeature === "installer"
        visible: active
        sourceComponent: Component {
            InstallerView { model: root.model } // qmllint disable unqualified
        }
    }

    // ---- Settings (MaintenanceView from Roror.Pages.Maintenance) ----
    Loader {
        objectName: "page.maintenance"
        anchors.fill: parent
        active: root.selectedFeature === "maintenance"
        visible: active
        sourceComponent: Component {
            MaintenanceView { model: root.model } // qmllint disable unqualified
        }
    }
}
