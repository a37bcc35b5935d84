import QtQuick

// A figure whose changes roll like a counter going up: the old text leaves upwards while the new
// one rises from below, fading across, over `duration`. Only a real change of `text` moves
// anything, and not while hidden or not `animated`; the first text simply appears.
Item {
    id: root
    property string text
    property font font
    property color color: "black"
    property int horizontalAlignment: Text.AlignLeft
    property int elide: Text.ElideNone
    property int fontSizeMode: Text.FixedSize
    property int minimumPixelSize: 12
    property int duration: 350
    // Off: a new text takes the old one's place at once.
    property bool animated: true
    // 0 while a change starts, 1 once it has rolled in.
    property real progress: 1
    property string shownText
    property string leavingText
    // While rolling under the software renderer, each text is drawn once into a picture that then
    // only moves and fades: blending a picture costs far less than drawing faded glyphs each frame.
    // The pictures are made on the roll's first step, not with the new text: at 0 the two texts
    // look as at rest, and a picture made in that frame would ask for one more frame of its own.
    readonly property bool rollsAsPictures: progress > 0 && progress < 1 && GraphicsInfo.api === GraphicsInfo.Software

    implicitWidth: current.implicitWidth
    implicitHeight: current.implicitHeight
    baselineOffset: current.baselineOffset
    clip: progress < 1

    onTextChanged: {
        if (root.visible && root.animated && root.shownText !== "" && root.shownText !== root.text) {
            root.leavingText = root.shownText
            roll.restart()
        }
        root.shownText = root.text
    }
    Component.onCompleted: root.shownText = root.text

    NumberAnimation {
        id: roll
        target: root
        property: "progress"
        from: 0
        to: 1
        duration: root.duration
        easing.type: Easing.InOutQuad
    }

    Text {
        id: current
        objectName: "numericCurrent"
        layer.enabled: root.rollsAsPictures
        width: root.width
        height: root.height
        y: (1 - root.progress) * root.height * 0.6
        opacity: root.progress
        text: root.text
        textFormat: Text.PlainText
        font: root.font
        color: root.color
        horizontalAlignment: root.horizontalAlignment
        verticalAlignment: Text.AlignVCenter
        elide: root.elide
        fontSizeMode: root.fontSizeMode
        minimumPixelSize: root.minimumPixelSize
    }
    Text {
        objectName: "numericLeaving"
        visible: root.progress < 1
        layer.enabled: root.rollsAsPictures
        width: root.width
        height: root.height
        y: -root.progress * root.height * 0.6
        opacity: 1 - root.progress
        text: root.leavingText
        textFormat: Text.PlainText
        font: root.font
        color: root.color
        horizontalAlignment: root.horizontalAlignment
        verticalAlignment: Text.AlignVCenter
        elide: root.elide
        fontSizeMode: root.fontSizeMode
        minimumPixelSize: root.minimumPixelSize
    }
}
