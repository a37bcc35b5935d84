pragma Singleton
import QtQuick
import Roror.App

// Colours and type of the interface kit that the shell needs before the kit provides them.
QtObject {
    readonly property color primary: Qt.rgba(0, 0, 0, 0.85 * 0.88)
    readonly property color secondary: Qt.rgba(0, 0, 0, 0.5 * 0.92)
    readonly property color ink: primary
    readonly property color muted: secondary
    readonly property color quiet: Qt.rgba(0, 0, 0, 0.26 * 0.9)
    readonly property color line: Qt.rgba(0, 0, 0, 0.1)
    readonly property color accent: Qt.rgba(0.169, 0.2, 0.251, 1)
    readonly property color danger: Qt.rgba(0.72, 0.4, 0.36, 1)
    readonly property color successSoft: Qt.rgba(0.84, 0.92, 0.88, 1)
    readonly property color amberSoft: Qt.rgba(0.96, 0.91, 0.82, 1)
    readonly property color dangerSoft: Qt.rgba(0.96, 0.88, 0.86, 1)
    readonly property color orbMint: Qt.rgba(0.36, 0.8, 0.78, 1)
    readonly property color orbAmber: Qt.rgba(0.98, 0.74, 0.42, 1)
    readonly property color orbBlush: Qt.rgba(0.96, 0.66, 0.74, 1)
    readonly property color windowBackground: "#ececec"

    readonly property string sans: Loc.chinese ? "Noto Sans CJK SC" : "Inter"
    readonly property string serif: Loc.chinese ? "Noto Sans CJK SC" : "Noto Serif"
    readonly property string rounded: Loc.chinese ? "Noto Sans CJK SC" : "Quicksand"
    readonly property string mono: "JetBrains Mono"
}
