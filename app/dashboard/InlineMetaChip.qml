import QtQuick
import Roror.App

// A battery fact on a small glass chip.
Item {
    id: root
    required property powerChip chip
    implicitWidth: row.implicitWidth + 14
    implicitHeight: row.implicitHeight + 6

    DashGlass {
        anchors.fill: parent
        radius: 7
    }
    Row {
        id: row
        anchors.centerIn: parent
        spacing: 4
        DashSymbol {
            anchors.verticalCenter: parent.verticalCenter
            name: root.chip.icon
            size: 10
            color: DashTheme[root.chip.tint]
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: root.chip.text
            textFormat: Text.PlainText
            maximumLineCount: 1
            font.family: DashTheme.sans
            font.pixelSize: 11
            font.weight: Font.DemiBold
            color: DashTheme.ink
            opacity: 0.85
        }
    }
}
