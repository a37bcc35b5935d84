import QtQuick

// A small glass chip: an optional symbol and a title, tinted or in ink.
Item {
    id: chip
    property string title
    property string systemImage
    property color tint: Qt.rgba(DashTheme.ink.r, DashTheme.ink.g, DashTheme.ink.b, DashTheme.ink.a * 0.85)
    implicitWidth: row.implicitWidth + 18
    implicitHeight: row.implicitHeight + 10

    DashGlass {
        anchors.fill: parent
        radius: 12
    }
    Row {
        id: row
        anchors.centerIn: parent
        spacing: 5
        DashSymbol {
            anchors.verticalCenter: parent.verticalCenter
            visible: chip.systemImage.length > 0
            name: chip.systemImage
            size: 11
            color: chip.tint
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: chip.title
            textFormat: Text.PlainText
            font.family: DashTheme.sans
            font.pixelSize: 11
            font.weight: Font.DemiBold
            color: chip.tint
        }
    }
}
