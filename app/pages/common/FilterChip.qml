import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// A label chip of a results table's filter row (no action of its own): icon and title on a
// round-ended glass surface, accent-coloured and tinted when selected.
Item {
    id: root
    property string title
    property string systemImage
    property bool selected: false

    implicitWidth: row.implicitWidth + 28
    implicitHeight: 34
    Accessible.role: Accessible.StaticText
    Accessible.name: title

    LiquidGlassSurface {
        anchors.fill: parent
        cornerRadius: 17
        tint: root.selected ? AppTheme.faded(AppTheme.accent, 0.12) : "transparent"
    }
    RowLayout {
        id: row
        anchors.centerIn: parent
        spacing: 8
        SymbolImage {
            systemName: root.systemImage
            size: 12
            weight: Font.DemiBold
            color: root.selected ? AppTheme.accent : AppTheme.ink
        }
        Text {
            objectName: "filterChipTitle"
            text: root.title
            textFormat: Text.PlainText
            color: root.selected ? AppTheme.accent : AppTheme.ink
            font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
        }
    }
}
