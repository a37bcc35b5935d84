import QtQuick
import Roror.App

// One wattage on a small glass chip: symbol, caption over the watts.
Item {
    id: root
    required property powerWattChip chip
    implicitWidth: row.implicitWidth + 16
    implicitHeight: row.implicitHeight + 8

    DashGlass {
        anchors.fill: parent
        radius: 8
    }
    Row {
        id: row
        anchors.centerIn: parent
        spacing: 5
        DashSymbol {
            anchors.verticalCenter: parent.verticalCenter
            name: root.chip.icon
            size: 10
            color: DashTheme[root.chip.tint]
        }
        Column {
            spacing: 0
            Text {
                text: root.chip.label
                textFormat: Text.PlainText
                font.family: DashTheme.sans
                font.pixelSize: 9
                font.weight: Font.DemiBold
                color: DashTheme.muted
            }
            Text {
                text: root.chip.wattText
                textFormat: Text.PlainText
                font.family: DashTheme.mono
                font.pixelSize: 11
                font.weight: Font.Bold
                color: DashTheme.ink
            }
        }
    }
}
