import QtQuick
import QtQuick.Layouts
import Roror.App

// A label, a value and, with a load, the load in colour over a thin bar.
ColumnLayout {
    id: line
    required property metricBarRow row
    readonly property color tone: DashTheme[row.tone]
    spacing: 5

    RowLayout {
        Layout.fillWidth: true
        spacing: 6
        Text {
            Layout.preferredWidth: 52
            Layout.alignment: Qt.AlignBaseline
            text: line.row.label
            textFormat: Text.PlainText
            elide: Text.ElideRight
            maximumLineCount: 1
            font.family: DashTheme.sans
            font.pixelSize: 11
            font.weight: Font.DemiBold
            color: DashTheme.muted
        }
        Text {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignBaseline
            visible: line.row.showsValue
            text: line.row.value
            textFormat: Text.PlainText
            elide: Text.ElideRight
            maximumLineCount: 1
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 8
            font.family: DashTheme.mono
            font.pixelSize: 11
            font.weight: Font.Medium
            color: DashTheme.ink
        }
        Item {
            Layout.fillWidth: !line.row.showsValue
        }
        Text {
            Layout.alignment: Qt.AlignBaseline
            visible: line.row.hasPercent
            text: line.row.percentText
            textFormat: Text.PlainText
            font.family: DashTheme.rounded
            font.pixelSize: 11
            font.weight: Font.Bold
            color: line.tone
        }
    }
    AnimatedProgressBar {
        Layout.fillWidth: true
        Layout.preferredHeight: 6
        visible: line.row.hasPercent
        value: line.row.fraction
        color: line.tone
    }
}
