pragma ComponentBehavior: Bound

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
    text: imageSource === "" ? SymbolCatalogue.character(systemName) : ""
    textFormat: Text.PlainText
    // An image symbol only takes the font's square: at the regular weight, so that it needs no
    // font of its own when every glyph around it is drawn at another weight.
    font: AppTypography.symbolFont(size, imageSource === "" ? weight : Font.Normal)
    color: AppTheme.ink
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    // An image takes the glyph's square (the font's em): the padding stands in for the missing
    // text's width.
    leftPadding: imageSource === "" ? 0 : font.pixelSize
    Accessible.ignored: true

    // The drawing of an image symbol, made when the symbol first needs one: most are glyphs, and
    // rows of long lists hold many.
    property SymbolSvg drawing: null
    onImageSourceChanged: {
        if (imageSource !== "" && drawing === null)
            drawing = drawingMaker.createObject(root);
    }
    Component {
        id: drawingMaker
        SymbolSvg {
            objectName: "symbolDrawing"
            anchors.centerIn: parent
            source: root.imageSource
            color: root.color
            width: root.font.pixelSize
            height: root.font.pixelSize
            visible: root.imageSource !== ""
        }
    }
}
