import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Templates as T
import Roror.Kit

// A sheet over the window: modal, centred, on the window's own background with a soft shadow,
// the window behind dimmed. It opens and closes with `presented` (a model flag); a sheet closed
// by any means (Escape included) calls `dismissed`, where the presenter writes its flag back.
Popup {
    id: root
    property bool presented: false
    signal dismissed()

    parent: T.Overlay.overlay
    anchors.centerIn: parent
    modal: true
    dim: true
    focus: true
    padding: 0
    closePolicy: Popup.CloseOnEscape
    onPresentedChanged: presented ? open() : close()
    Component.onCompleted: if (presented) open()
    onClosed: root.dismissed()

    T.Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.16)
    }
    background: Item {
        Rectangle {
            anchors.fill: parent
            anchors.margins: -6
            radius: 18
            color: Qt.rgba(0, 0, 0, 0.035)
        }
        Rectangle {
            anchors.fill: parent
            anchors.margins: -2
            radius: 14
            color: Qt.rgba(0, 0, 0, 0.07)
        }
        Rectangle {
            anchors.fill: parent
            radius: 12
            color: AppTheme.sheet
            border.width: 0.8
            border.color: AppTheme.shade(0.14)
        }
    }
    enter: Transition {
        NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 180; easing.type: Easing.InOutQuad }
    }
    exit: Transition {
        NumberAnimation { property: "opacity"; from: 1; to: 0; duration: 140; easing.type: Easing.InOutQuad }
    }
}
