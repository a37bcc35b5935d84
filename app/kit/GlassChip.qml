import QtQuick
import QtQuick.Layouts
import Roror.App

// A small glass chip with an optional leading symbol. `tint` (transparent for none) colours the
// symbol and the title only; without it they are ink at 85 %.
Item {
    id: root
    property string title
    // Empty means no symbol (and no gap).
    property string systemImage
    property color tint: "transparent"
    readonly property color foreground: tint.a > 0 ? tint : AppTheme.faded(AppTheme.ink, 0.85)

    implicitWidth: row.implicitWidth + 18
    implicitHeight: row.implicitHeight + 10
    Accessible.role: Accessible.StaticText
    Accessible.name: title

    LiquidGlassSurface {
        anchors.fill: parent
        cornerRadius: 12
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
            color: root.foreground
        }
        Text {
            objectName: "glassChipTitle"
            text: root.title
            textFormat: Text.PlainText
            color: root.foreground
            font: AppTypography.font(11, Font.DemiBold, "default", AppTypography.usesEnglish)
        }
    }
}
