import QtQuick
import QtQuick.Layouts
import Roror.App

// The GPU card's drawing: header line, usage row, video memory row, note.
ColumnLayout {
    id: gpu
    // Set by the card frame once the drawing is made.
    property gpuVisualBody body
    spacing: 8

    Text {
        Layout.fillWidth: true
        visible: gpu.body.hasHeaderLine
        text: gpu.body.headerLine
        textFormat: Text.PlainText
        elide: Text.ElideMiddle
        maximumLineCount: 1
        font.family: DashTheme.sans
        font.pixelSize: 11
        font.weight: Font.DemiBold
        color: DashTheme.muted
    }
    MetricBarRow {
        Layout.fillWidth: true
        row: gpu.body.usageRow
    }
    MetricBarRow {
        Layout.fillWidth: true
        visible: gpu.body.hasVramRow
        row: gpu.body.vramRow
    }
    Text {
        Layout.fillWidth: true
        visible: gpu.body.hasNote
        text: gpu.body.note
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        maximumLineCount: 2
        elide: Text.ElideRight
        font.family: DashTheme.sans
        font.pixelSize: 10
        font.weight: Font.Medium
        color: DashTheme.quiet
    }
}
