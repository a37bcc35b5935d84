import QtQuick
import Roror.App
import Roror.Kit

// A caption and a size, the size stronger when emphasized. A narrow card draws it smaller
// (`fontScale`); given less than even that needs, the size is cut at its end rather than drawn
// past the card.
Item {
    id: figure
    property string label
    property string value
    property bool emphasized
    property real fontScale: 1
    // The width at full size, whatever the scale, so a row can decide the scale from it.
    readonly property real fullWidth: captionMetrics.advanceWidth + 4 + sizeMetrics.advanceWidth
    implicitWidth: caption.implicitWidth + 4 + size.implicitWidth
    implicitHeight: Math.max(caption.implicitHeight, size.implicitHeight)

    Text {
        id: caption
        anchors.baseline: size.baseline
        text: figure.label
        textFormat: Text.PlainText
        color: AppTheme.quiet
        font: AppTypography.font(9.5 * figure.fontScale, Font.Medium, "default", AppTypography.usesEnglish)
    }
    Text {
        id: size
        x: caption.implicitWidth + 4
        anchors.verticalCenter: parent.verticalCenter
        width: Math.max(0, Math.min(implicitWidth, figure.width - x))
        text: figure.value
        textFormat: Text.PlainText
        elide: Text.ElideRight
        maximumLineCount: 1
        color: AppTheme.ink
        opacity: figure.emphasized ? 0.9 : 0.7
        font: AppTypography.font(10.5 * figure.fontScale, figure.emphasized ? Font.DemiBold : Font.Medium, "monospaced", AppTypography.usesEnglish)
    }
    TextMetrics {
        id: captionMetrics
        text: figure.label
        font: AppTypography.font(9.5, Font.Medium, "default", AppTypography.usesEnglish)
    }
    TextMetrics {
        id: sizeMetrics
        text: figure.value
        font: AppTypography.font(10.5, figure.emphasized ? Font.DemiBold : Font.Medium, "monospaced", AppTypography.usesEnglish)
    }
}
