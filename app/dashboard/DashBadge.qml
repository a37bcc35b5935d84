import QtQuick

// A small capsule badge with a symbol and a word in one colour.
Rectangle {
    id: badge
    property string text
    property color tint: DashTheme.success
    property string systemImage
    implicitWidth: row.implicitWidth + 20
    implicitHeight: row.implicitHeight + 12
    radius: height / 2
    color: Qt.rgba(tint.r, tint.g, tint.b, 0.14)
    border.color: Qt.rgba(tint.r, tint.g, tint.b, 0.22)
    border.width: 0.6

    Row {
        id: row
        anchors.centerIn: parent
        spacing: 5
        DashSymbol {
            anchors.verticalCenter: parent.verticalCenter
            name: badge.systemImage
            size: 9
            color: badge.tint
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: badge.text
            textFormat: Text.PlainText
            font.family: DashTheme.sans
            font.pixelSize: 12
            font.weight: Font.DemiBold
            color: badge.tint
        }
    }
}
