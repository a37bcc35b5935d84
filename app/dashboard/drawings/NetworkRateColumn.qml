import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

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
            SymbolImage {
                anchors.verticalCenter: parent.verticalCenter
                systemName: column.systemImage
                size: 8
                weight: Font.Bold
                color: AppTheme.muted
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: column.label
                font: AppTypography.font(10, Font.DemiBold, "default", AppTypography.usesEnglish)
                color: AppTheme.muted
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
            font: AppTypography.font(13, Font.Bold, "monospaced", AppTypography.usesEnglish)
            color: AppTheme.ink
        }
    }
}
