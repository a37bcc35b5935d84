import QtQuick
import Roror.App

// A symbol of the interface, named as the pages name it (`systemName`), drawn from the icon
// font and tinted with `color`.
Text {
    id: root
    property string systemName
    property real size: 13
    property int weight: Font.Normal
    text: SymbolCatalogue.glyph(systemName)
    textFormat: Text.PlainText
    font: AppTypography.symbolFont(size, weight)
    color: AppTheme.ink
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    Accessible.ignored: true
}
