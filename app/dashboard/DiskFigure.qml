import QtQuick

// A caption and a size, the size stronger when emphasized.
Row {
    id: figure
    property string label
    property string value
    property bool emphasized
    spacing: 4

    Text {
        anchors.baseline: valueText.baseline
        text: figure.label
        textFormat: Text.PlainText
        font.family: DashTheme.sans
        font.pixelSize: 10
        font.weight: Font.Medium
        color: DashTheme.quiet
    }
    Text {
        id: valueText
        text: figure.value
        textFormat: Text.PlainText
        font.family: DashTheme.mono
        font.pixelSize: 11
        font.weight: figure.emphasized ? Font.DemiBold : Font.Medium
        color: DashTheme.ink
        opacity: figure.emphasized ? 0.9 : 0.7
    }
}
