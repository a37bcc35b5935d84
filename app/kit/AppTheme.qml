pragma Singleton
import QtQuick
import Roror.App

// The palette of the whole interface. The label and separator members are the system's label
// colours of the current appearance (black in light, white in dark, at the system's opacities)
// times the theme's own opacity; the explicit colours keep their components in both, but for
// `accent`.
QtObject {
    // The desktop's appearance, followed live.
    readonly property bool dark: ThemeAppearance.dark
    // Label colours: black in light, white in dark.
    readonly property real labelTone: dark ? 1 : 0

    readonly property color background: "transparent"
    readonly property color elevated: Qt.rgba(1, 1, 1, 0.1)
    readonly property color primary: Qt.rgba(labelTone, labelTone, labelTone, 0.85 * 0.88)
    readonly property color secondary: Qt.rgba(labelTone, labelTone, labelTone, (dark ? 0.55 : 0.5) * 0.92)
    readonly property color ink: primary
    readonly property color muted: secondary
    readonly property color quiet: Qt.rgba(labelTone, labelTone, labelTone, 0.26 * 0.9)
    readonly property color line: Qt.rgba(labelTone, labelTone, labelTone, 0.1)
    readonly property color glassSurfaceTint: Qt.rgba(0.93, 0.95, 0.97, 0.07)
    // The one explicit colour that adapts: the light appearance's near-black slate would vanish on
    // the dark window, so dark takes a light slate blue that white text still reads on.
    readonly property color accent: dark ? Qt.rgba(0.5, 0.6, 0.76, 1) : Qt.rgba(0.169, 0.2, 0.251, 1)
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

    // The appearance's window background, painted where the desktop does not show through.
    readonly property color windowBackground: dark ? "#1f1f21" : "#ececec"
    // Opaque cards that nothing may read through (alerts, sheets).
    readonly property color card: dark ? "#2b2b2e" : "#fafafa"
    readonly property color sheet: dark ? "#28282b" : "#f6f6f6"

    // `color` at a further opacity; opacities multiply.
    function faded(color: color, opacity: real): color { return Qt.rgba(color.r, color.g, color.b, color.a * opacity) }
    // Hairlines, pressed states and faint fills: darkening in light, lightening in dark.
    function shade(opacity: real): color { return Qt.rgba(labelTone, labelTone, labelTone, opacity) }
    // The light wash of surfaces and controls: white in light, a raised grey in dark.
    function wash(opacity: real): color { return dark ? Qt.rgba(0.23, 0.23, 0.25, opacity) : Qt.rgba(1, 1, 1, opacity) }
}
