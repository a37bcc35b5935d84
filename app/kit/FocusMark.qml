import QtQuick
import Roror.App

// The keyboard focus mark of a control: a ring just outside its edges while it has the focus.
// `outset` is how far outside; a control inside a clipping list draws it inside (a negative outset).
Rectangle {
    property Item control: parent
    property real outset: 3
    property real controlRadius: 6

    objectName: "focusMark"
    anchors.fill: control
    anchors.margins: -outset
    radius: controlRadius + outset
    visible: control.activeFocus
    color: "transparent"
    border.width: 2.5
    border.color: AppTheme.faded(AppTheme.orbCool, 0.7)
}
