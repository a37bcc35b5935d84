import QtQuick
import Roror.App
import Roror.Kit
import Roror.Dashboard
import Roror.Pages.Analyze
import Roror.Pages.Installer
import Roror.Pages.Purge
import Roror.Pages.Uninstall
import Roror.Pages.Clean
import Roror.Pages.Settings
import Roror.Pages.Optimize

// The page area: exactly one page, the one the sidebar selects. Each page has a slot ("page.<raw
// value>") that builds the page when it is selected and throws it away when another one is, so a
// page shown again starts from its own defaults; everything kept in the model survives. The slots
// are made in the delegate's context, so the page components are not bound to this one.
Item {
    id: root
    required property AppModel model
    // Raw value of the selected page.
    required property string selectedFeature

    Component { id: dashboardView; DashboardView { model: root.model } } // qmllint disable unqualified
    Component { id: cleanView; CleanView { model: root.model } } // qmllint disable unqualified
    Component { id: uninstallView; UninstallView { model: root.model } } // qmllint disable unqualified
    Component { id: optimizeView; OptimizeView { model: root.model } } // qmllint disable unqualified
    Component { id: analyzeView; AnalyzeView { model: root.model } } // qmllint disable unqualified
    Component { id: purgeView; PurgeView { model: root.model } } // qmllint disable unqualified
    Component { id: installerView; InstallerView { model: root.model } } // qmllint disable unqualified
    Component { id: settingsView; SettingsView { model: root.model } } // qmllint disable unqualified

    Repeater {
        model: [
            { feature: "dashboard", view: dashboardView },
            { feature: "clean", view: cleanView },
            { feature: "uninstall", view: uninstallView },
            { feature: "optimize", view: optimizeView },
            { feature: "analyze", view: analyzeView },
            { feature: "purge", view: purgeView },
            { feature: "installer", view: installerView },
            { feature: "maintenance", view: settingsView }
        ]
        delegate: Loader {
            required property var modelData
            objectName: "page." + modelData.feature
            width: root.width // qmllint disable unqualified
            height: root.height // qmllint disable unqualified
            active: root.selectedFeature === modelData.feature // qmllint disable unqualified
            visible: active
            sourceComponent: modelData.view
        }
    }
}
