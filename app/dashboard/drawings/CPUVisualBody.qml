import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Dashboard
import Roror.Kit

// The CPU card's drawing: total as bar and ring, one gauge per core, the estimate note, the load line.
ColumnLayout {
    id: cpu
    // Set by the card frame once the drawing is made.
    property cpuVisualBody body
    readonly property color tone: AppTheme[body.tone]
    // Whole percents, held apart from the drawing's values: the ring only hears of a change it
    // can show.
    readonly property real ringValue: Math.round(body.fraction * 100) / 100
    spacing: 10

    RowLayout {
        Layout.fillWidth: true
        spacing: 12
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 6
            Text {
                text: Tr.text("总计", "Total")
                font: AppTypography.font(11, Font.DemiBold, "default", AppTypography.usesEnglish)
                color: AppTheme.muted
            }
            AnimatedProgressBar {
                Layout.fillWidth: true
                Layout.preferredHeight: 6
                value: cpu.body.fraction
                color: cpu.tone
            }
        }
        Item {
            Layout.preferredWidth: 44
            Layout.preferredHeight: 44
            RingGauge {
                id: ring
                objectName: "cpuRing"
                anchors.fill: parent
                value: cpu.ringValue
                color: cpu.tone
                lineWidth: 5
            }
            // Fitted to the hole inside the stroke, so that "100.0%" stays off the ring.
            Text {
                anchors.centerIn: parent
                width: parent.width - 2 * ring.lineWidth
                horizontalAlignment: Text.AlignHCenter
                fontSizeMode: Text.HorizontalFit
                minimumPixelSize: 7
                objectName: "cpuTotalText"
                text: cpu.body.percentText
                textFormat: Text.PlainText
                font: AppTypography.font(11, Font.Bold, "rounded", AppTypography.usesEnglish)
                color: cpu.tone
            }
        }
    }
    GridLayout {
        objectName: "coreGrid"
        Layout.fillWidth: true
        visible: cpu.body.showsGrid
        columns: Math.max(1, cpu.body.columns)
        columnSpacing: 8
        rowSpacing: 6
        // A count, not the list: a refresh then updates the cells instead of making new ones.
        Repeater {
            model: cpu.body.coreCellCount
            CoreCell {
                required property int index
                Layout.fillWidth: true
                Layout.preferredWidth: 1
                cell: cpu.body.coreCell(index) // qmllint disable unqualified
                // A placeholder keeps its width, so a short last row lines up with those above.
                opacity: cell.isPlaceholder ? 0 : 1
            }
        }
    }
    Text {
        visible: cpu.body.coresEstimated
        text: Tr.text("核心负载按平均值估算", "Per-core load estimated from average")
        font: AppTypography.font(10, Font.Normal, "default", AppTypography.usesEnglish)
        color: AppTheme.muted
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: 6
        Text {
            text: "LOAD"
            font: AppTypography.font(10, Font.DemiBold, "default", AppTypography.usesEnglish)
            color: AppTheme.muted
        }
        Text {
            objectName: "cpuLoadText"
            Layout.fillWidth: true
            text: cpu.body.loadText
            textFormat: Text.PlainText
            elide: Text.ElideRight
            maximumLineCount: 1
            font: AppTypography.font(11, Font.Medium, "monospaced", AppTypography.usesEnglish)
            color: AppTheme.ink
        }
    }
}
