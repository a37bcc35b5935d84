import QtQuick
import QtQuick.Layouts

// One direction's rate: a coloured dot, the arrow and caption, the figure.
RowLayout {
    id: column
    property string label
    property string rateText
    property color color
    property string systemImage
    spacing: 6

    Rectangle {
        Layout.preferredWidth: 6
        Layout.preferredHeight: 6
        radius: 3
        color: column.color
    }
    ColumnLayout {
        Layout.fillWidth: true
        spacing: 1
        Row {
            spacing: 3
            DashSymbol {
                anchors.verticalCenter: parent.verticalCenter
                name: column.systemImage
                size: 9
                color: DashTheme.muted
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: column.label
                font.family: DashTheme.sans
                font.pixelSize: 10
                font.weight: Font.DemiBold
                color: DashTheme.muted
            }
        }
        Text {
            objectName: "rateText"
            Layout.fillWidth: true
            text: column.rateText
            textFormat: Text.PlainText
            maximumLineCount: 1
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 9
            font.family: DashTheme.mono
            font.pixelSize: 13
            font.weight: Font.Bold
            color: DashTheme.ink
        }
    }
}
