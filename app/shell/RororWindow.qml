import QtQuick
import QtQuick.Window
import Roror.App

// The one window of the program.
Window {
    id: window
    required property AppModel model
    title: "Roror"
    minimumWidth: 980
    minimumHeight: 720
    width: 1180
    height: 780
    visible: true

    ContentView {
        anchors.fill: parent
        model: window.model
    }
}
