import QtQuick
import Roror.App

// The page area: exactly one page, the one the sidebar selects. Each page has a slot ("page.<raw
// value>") that builds the page when it is selected and throws it away when another one is, so a
// page shown again starts from its own defaults; everything kept in the model survives. Pages are
// loaded by address rather than named here, so a page's files are read and compiled the first time
// it is shown, not all of them before the window's first frame.
Item {
    id: root
    required property AppModel model
    // Raw value of the selected page.
    required property string selectedFeature
    // False until the window's first frame is on screen: the page is made after that frame, so
    // the window shows without waiting for it.
    property bool ready: true

    Repeater {
        model: [
            { feature: "dashboard", view: "Dashboard/overview/DashboardView.qml" },
            { feature: "clean", view: "Pages/Clean/CleanView.qml" },
            { feature: "uninstall", view: "Pages/Uninstall/UninstallView.qml" },
            { feature: "optimize", view: "Pages/Optimize/OptimizeView.qml" },
            { feature: "analyze", view: "Pages/Analyze/AnalyzeView.qml" },
            { feature: "purge", view: "Pages/Purge/PurgeView.qml" },
            { feature: "installer", view: "Pages/Installer/InstallerView.qml" },
            { feature: "maintenance", view: "Pages/Settings/SettingsView.qml" }
        ]
        delegate: Loader {
            id: slot
            required property var modelData
            readonly property bool selected: root.ready && root.selectedFeature === modelData.feature // qmllint disable unqualified

            function build() {
                if (slot.selected)
                    slot.setSource("qrc:/qt/qml/Roror/" + slot.modelData.view, { model: root.model }) // qmllint disable unqualified
                else
                    slot.source = ""
            }

            objectName: "page." + modelData.feature
            width: root.width // qmllint disable unqualified
            height: root.height // qmllint disable unqualified
            visible: selected
            onSelectedChanged: build()
            Component.onCompleted: build()
        }
    }
}
