import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Dashboard
import Roror.Kit

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
        font: AppTypography.font(11, Font.DemiBold, "default", AppTypography.usesEnglish)
        color: AppTheme.muted
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
        font: AppTypography.font(10, Font.Medium, "default", AppTypography.usesEnglish)
        color: AppTheme.quiet
    }
}
