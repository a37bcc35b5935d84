import QtQuick
import Roror.App

// A symbol of the interface, named as the pages name it (`systemName`), drawn from the icon
// font and tinted with `color`; the few symbols the font lacks are drawn from the kit's images
// in the same square and tint.
Text {
    id: root
    property string systemName
    property real size: 13
    property int weight: Font.Normal
    readonly property string imageSource: SymbolCatalogue.image(systemName)
    text: imageSource === "" ? SymbolCatalogue.glyph(systemName) : ""
    textFormat: Text.PlainText
    font: AppTypography.symbolFont(size, weight)
    color: AppTheme.ink
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    // An image takes the glyph's square (the font's em): the padding stands in for the missing
    // text's width.
    leftPadding: imageSource === "" ? 0 : font.pixelSize
    Accessible.ignored: true

    SymbolSvg {
        objectName: "symbolDrawing"
        visible: root.imageSource !== ""
        anchors.centerIn: parent
        width: root.font.pixelSize
        height: root.font.pixelSize
        source: root.imageSource
        color: root.color
    }
}
