import QtQuick

// A button of the confirmation: its title in its role's colour on a light capsule.
Rectangle {
    id: button
    property string text
    property color tint: DashTheme.ink
    signal clicked()
    implicitHeight: 30
    radius: 8
    color: tap.pressed ? Qt.rgba(0, 0, 0, 0.12) : Qt.rgba(0, 0, 0, 0.06)

    Text {
        anchors.centerIn: parent
        text: button.text
        font.family: DashTheme.sans
        font.pixelSize: 13
        font.weight: Font.DemiBold
        color: button.tint
    }
    TapHandler {
        id: tap
        onTapped: button.clicked()
    }
}
