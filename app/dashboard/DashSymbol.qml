import QtQuick
import Roror.App

// A symbol drawn from the icon font; `name` keeps the symbol's name for tests.
Text {
    property string name
    property real size: 12
    text: DashboardSymbols.glyph(name)
    textFormat: Text.PlainText
    font.family: DashTheme.symbols
    font.pixelSize: size
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
}
