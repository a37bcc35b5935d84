pragma Singleton
import QtQuick

// The palette of the whole interface. The label and separator members are the light
// appearance's label colours (black at the system's opacities) times the theme's own opacity.
QtObject {
    readonly property color background: "transparent"
    readonly property color elevated: Qt.rgba(1, 1, 1, 0.1)
    readonly property color primary: Qt.rgba(0, 0, 0, 0.85 * 0.88)
    readonly property color secondary: Qt.rgba(0, 0, 0, 0.5 * 0.92)
    readonly property color ink: primary
    readonly property color muted: secondary
    readonly property color quiet: Qt.rgba(0, 0, 0, 0.26 * 0.9)
    readonly property color line: Qt.rgba(0, 0, 0, 0.1)
    readonly property color glassSurfaceTint: Qt.rgba(0.93, 0.95, 0.97, 0.07)
    readonly property color accent: Qt.rgba(0.169, 0.2, 0.251, 1)
    readonly property color success: Qt.rgba(0.38, 0.58, 0.48, 1)
    readonly property color successSoft: Qt.rgba(0.84, 0.92, 0.88, 1)
    readonly property color amber: Qt.rgba(0.72, 0.56, 0.34, 1)
    readonly property color amberSoft: Qt.rgba(0.96, 0.91, 0.82, 1)
    readonly property color danger: Qt.rgba(0.72, 0.4, 0.36, 1)
    readonly property color dangerSoft: Qt.rgba(0.96, 0.88, 0.86, 1)
    readonly property color orbCool: Qt.rgba(0.39, 0.55, 0.92, 1)
    readonly property color orbMint: Qt.rgba(0.36, 0.8, 0.78, 1)
    readonly property color orbBlush: Qt.rgba(0.96, 0.66, 0.74, 1)
    readonly property color orbAmber: Qt.rgba(0.98, 0.74, 0.42, 1)
    // The light appearance's window background, painted where the desktop would show through.
    readonly property color windowBackground: "#ececec"

    // `color` at a further opacity; opacities multiply.
    function faded(color: color, opacity: real): color { return Qt.rgba(color.r, color.g, color.b, color.a * opacity) }
}
