import QtQuick
import QtQuick.Window
import Roror.App
import Roror.Kit

// The one window of the program.
Window {
    id: window
    required property AppModel model
    title: "Roror"
    minimumWidth: 980
    minimumHeight: 720
    width: 1180
    height: 780
    // Translucent where the compositor blurs the desktop behind it; the backdrop paints the rest.
    color: configurator.translucent ? "transparent" : AppTheme.windowBackground
    visible: true

    WindowConfigurator {
        id: configurator
        window: window
    }

    ContentView {
        anchors.fill: parent
        model: window.model
    }
}
