pragma Singleton
import QtQuick

// The theme's colours the dashboard draws with, in the light appearance (label colours of the
// platform at the stated opacities). Each name matches a tone the dashboard's C++ hands over.
QtObject {
    readonly property color ink: Qt.rgba(0, 0, 0, 0.85 * 0.88)
    readonly property color muted: Qt.rgba(0, 0, 0, 0.5 * 0.92)
    readonly property color quiet: Qt.rgba(0, 0, 0, 0.26 * 0.9)
    readonly property color line: Qt.rgba(0, 0, 0, 0.1)
    readonly property color accent: Qt.rgba(0.169, 0.2, 0.251, 1)
    readonly property color success: Qt.rgba(0.38, 0.58, 0.48, 1)
    readonly property color amber: Qt.rgba(0.72, 0.56, 0.34, 1)
    readonly property color danger: Qt.rgba(0.72, 0.4, 0.36, 1)
    readonly property color orbCool: Qt.rgba(0.39, 0.55, 0.92, 1)
    // The placeholder-text grey of the skeleton.
    readonly property color placeholder: Qt.rgba(0, 0, 0, 0.25)
    readonly property color glassFill: Qt.rgba(1, 1, 1, 0.55)
    readonly property color glassEdge: Qt.rgba(1, 1, 1, 0.7)

    readonly property string sans: "Inter"
    readonly property string rounded: "Quicksand"
    readonly property string mono: "JetBrains Mono"
    readonly property string serif: "Noto Serif"
    readonly property string symbols: "Material Icons"
}
