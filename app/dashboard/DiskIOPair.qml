import QtQuick

// One disk rate: direction symbol, caption and figure.
Row {
    id: pair
    property string label
    property string rateText
    property string systemImage
    spacing: 5

    DashSymbol {
        anchors.verticalCenter: parent.verticalCenter
        name: pair.systemImage
        size: 10
        color: DashTheme.muted
    }
    Text {
        anchors.verticalCenter: parent.verticalCenter
        text: pair.label
        font.family: DashTheme.sans
        font.pixelSize: 10
        font.weight: Font.DemiBold
        color: DashTheme.muted
    }
    Text {
        anchors.verticalCenter: parent.verticalCenter
        text: pair.rateText
        textFormat: Text.PlainText
        font.family: DashTheme.mono
        font.pixelSize: 11
        font.weight: Font.DemiBold
        color: DashTheme.ink
    }
}
