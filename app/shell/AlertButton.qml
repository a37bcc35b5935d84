import QtQuick
import Roror.App
import Roror.Kit

// A button of the window-wide alerts.
Rectangle {
    id: root
    required property string title
    property bool prominent: false
    property bool destructive: false
    signal clicked()

    implicitHeight: 30
    implicitWidth: Math.max(96, label.implicitWidth + 28)
    radius: 8
    color: root.prominent ? AppTheme.accent
         : AppTheme.shade(pointer.pressed ? 0.12 : pointer.containsMouse ? 0.09 : 0.06)
    Accessible.role: Accessible.Button
    Accessible.name: root.title
    Accessible.onPressAction: root.clicked()

    Text {
        id: label
        anchors.centerIn: parent
        text: root.title
        textFormat: Text.PlainText
        color: root.prominent ? "white" : root.destructive ? AppTheme.danger : AppTheme.ink
        font: AppTypography.font(13, Font.Medium, "default", AppTypography.usesEnglish)
    }

    MouseArea {
        id: pointer
        anchors.fill: parent
        hoverEnabled: true
        onClicked: root.clicked()
    }
}
