import QtQuick
import Roror.Kit

// The application mark: a sparkle on a cool-to-mint tile with continuous corners, drawn rather
// than read from an image so that showing it needs no image decoder.
Item {
    id: root
    // Corner radius as a share of the side (12 of 40 in the sidebar).
    property real cornerShare: 0.3

    implicitWidth: 40
    implicitHeight: 40

    Rectangle {
        anchors.fill: parent
        radius: width * root.cornerShare
        gradient: Gradient {
            orientation: Gradient.Vertical
            GradientStop { position: 0; color: "#6f9cf0" }
            GradientStop { position: 0.55; color: "#4fb8d8" }
            GradientStop { position: 1; color: "#5ccfc4" }
        }
    }
    // A light sheen over the upper half.
    Rectangle {
        anchors.fill: parent
        radius: width * root.cornerShare
        gradient: Gradient {
            GradientStop { position: 0; color: Qt.rgba(1, 1, 1, 0.3) }
            GradientStop { position: 0.5; color: Qt.rgba(1, 1, 1, 0) }
        }
    }
    SymbolImage {
        anchors.centerIn: parent
        systemName: "sparkles"
        // Until the layout gives the mark its width, the implicit one: a symbol laid out at size 0
        // would load a font of its own for nothing.
        size: (root.width > 0 ? root.width : root.implicitWidth) * 0.5
        color: "white"
    }
    Rectangle {
        anchors.fill: parent
        radius: width * root.cornerShare
        color: "transparent"
        border.color: Qt.rgba(1, 1, 1, 0.45)
        border.width: 0.8
    }
}
