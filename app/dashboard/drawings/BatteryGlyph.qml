import QtQuick
import Roror.App
import Roror.Kit

// A battery outline filled to the charge, with a bolt while charging and the terminal nub.
Item {
    id: glyph
    property real normalized: 0
    property color color: AppTheme.success
    property bool isCharging: false
    readonly property real bodyWidth: width - 4
    readonly property real fill: normalized > 0 ? Math.max((bodyWidth - 4) * normalized, 4) : 0

    Rectangle {
        width: glyph.bodyWidth
        height: glyph.height
        radius: 5
        color: "transparent"
        border.width: 1.1
        border.color: Qt.rgba(AppTheme.line.r, AppTheme.line.g, AppTheme.line.b, AppTheme.line.a * 0.55)
    }
    Rectangle {
        objectName: "batteryFill"
        x: 2
        y: 2
        // Whole pixels at every step of the animation too: a step that moves the edge by less than a
        // pixel changes nothing on screen and draws no frame.
        property real sweptWidth: Math.round(glyph.fill)
        width: Math.round(sweptWidth)
        height: glyph.height - 4
        radius: 4
        visible: width > 0
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0; color: Qt.rgba(glyph.color.r, glyph.color.g, glyph.color.b, 0.6) }
            GradientStop { position: 1; color: Qt.rgba(glyph.color.r, glyph.color.g, glyph.color.b, 0.95) }
        }
        Behavior on sweptWidth { enabled: glyph.visible; NumberAnimation { duration: 500; easing.type: Easing.InOutQuad } }
    }
    SymbolImage {
        width: glyph.bodyWidth
        height: glyph.height
        visible: glyph.isCharging
        systemName: "bolt.fill"
        size: 11
        weight: Font.Bold
        color: "white"
        style: Text.Raised
        styleColor: Qt.rgba(0, 0, 0, 0.3)
    }
    Rectangle {
        x: glyph.bodyWidth - 0.5
        anchors.verticalCenter: parent.verticalCenter
        width: 3
        height: glyph.height * 0.45
        radius: 1.5
        color: Qt.rgba(AppTheme.line.r, AppTheme.line.g, AppTheme.line.b, AppTheme.line.a * 0.55)
    }
}
