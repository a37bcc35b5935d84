import QtQuick
import QtQuick.Layouts
import Roror.App

// A small glass label in the accent colour, with an optional leading symbol; `monospace` sets
// the title in the monospaced design and trims a point above and below.
Item {
    id: root
    property string title
    // Empty means no symbol (and no gap).
    property string systemImage
    property real cornerRadius: 6
    property bool monospace: false

    implicitWidth: row.implicitWidth + 16
    implicitHeight: row.implicitHeight + (monospace ? 6 : 8)
    Accessible.role: Accessible.StaticText
    Accessible.name: title

    LiquidGlassSurface {
        anchors.fill: parent
        cornerRadius: root.cornerRadius
    }
    RowLayout {
        id: row
        anchors.centerIn: parent
        spacing: 5
        SymbolImage {
            visible: root.systemImage.length > 0
            systemName: root.systemImage
            size: 10
            weight: Font.DemiBold
            color: AppTheme.accent
        }
        Text {
            objectName: "glassTagTitle"
            text: root.title
            textFormat: Text.PlainText
            color: AppTheme.accent
            font: AppTypography.font(11, Font.Medium, root.monospace ? "monospaced" : "default", AppTypography.usesEnglish)
        }
    }
}
