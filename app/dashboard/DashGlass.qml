import QtQuick

// A frosted card surface: a white wash over the backdrop with a bright hairline edge.
Rectangle {
    color: DashTheme.glassFill
    border.color: DashTheme.glassEdge
    border.width: 1
    antialiasing: true
}
