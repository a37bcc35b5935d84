pragma Singleton
import QtQuick

// The palette every page and the dashboard draw with.
QtObject {
    readonly property color ink: "#1d1d1f"
    readonly property color muted: "#6e6e73"
    readonly property color accent: "#0a84ff"
    readonly property color windowBackground: "#ececec"
}
