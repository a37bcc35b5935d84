import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// A label, a value and, with a load, the load in colour over a thin bar.
ColumnLayout {
    id: line
    required property metricBarRow row
    readonly property color tone: AppTheme[row.tone]
    spacing: 5

    RowLayout {
        Layout.fillWidth: true
        spacing: 6
        // A 52 column; a longer label (an interface name) takes the room the value leaves it.
        Text {
            objectName: "metricLabel"
            Layout.minimumWidth: 52
            Layout.preferredWidth: Math.max(52, Math.ceil(implicitWidth))
            Layout.alignment: Qt.AlignBaseline
            text: line.row.label
            textFormat: Text.PlainText
            elide: Text.ElideRight
            maximumLineCount: 1
            font: AppTypography.font(11, Font.DemiBold, "default", AppTypography.usesEnglish)
            color: AppTheme.muted
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
            font: AppTypography.font(11, Font.Medium, "monospaced", AppTypography.usesEnglish)
            color: AppTheme.ink
        }
        Item {
            Layout.fillWidth: !line.row.showsValue
        }
        Text {
            Layout.alignment: Qt.AlignBaseline
            visible: line.row.hasPercent
            text: line.row.percentText
            textFormat: Text.PlainText
            font: AppTypography.font(11, Font.Bold, "rounded", AppTypography.usesEnglish)
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
