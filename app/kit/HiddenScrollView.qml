import QtQuick
import QtQuick.Layouts
import Roror.App

// A vertical scroll view without scroll bars: wheel, touchpad and keyboard (arrows, page keys,
// Space, Home, End) move it. Children stack top to bottom at the view's width.
Flickable {
    id: root
    default property alias content: column.data
    property alias spacing: column.spacing

    clip: true
    activeFocusOnTab: true
    contentWidth: width
    contentHeight: column.implicitHeight
    boundsBehavior: Flickable.StopAtBounds
    flickableDirection: Flickable.VerticalFlick

    ColumnLayout {
        id: column
        width: root.width
        spacing: 0
    }
    KeyboardScroller {
        target: root
    }
}
