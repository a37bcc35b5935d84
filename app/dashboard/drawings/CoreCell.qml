import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// One core's small vertical gauge with its caption and figure.
ColumnLayout {
    id: root
    required property coreCell cell
    readonly property color tone: AppTheme[cell.tone]
    // Whole pixels, held apart from the cell so that a refresh that moves nothing visibly
    // starts no animation (and draws no frames).
    readonly property real fill: Math.round(cell.fillHeight)
    // The fill's colour follows the load band with its own transition.
    property color fillTone: tone
    Behavior on fillTone { enabled: root.visible; ColorAnimation { duration: 400; easing.type: Easing.InOutQuad } }
    spacing: 4

    Text {
        Layout.alignment: Qt.AlignHCenter
        text: root.cell.caption
        textFormat: Text.PlainText
        font: AppTypography.font(8, Font.DemiBold, "monospaced", AppTypography.usesEnglish)
        color: AppTheme.muted
    }
    Item {
        Layout.fillWidth: true
        Layout.preferredHeight: 34
        Rectangle {
            anchors.fill: parent
            radius: 3
            color: AppTheme.line
            opacity: 0.22
        }
        Rectangle {
            objectName: "coreFill"
            anchors.bottom: parent.bottom
            width: parent.width
            // Whole pixels at every step of the animation too: a step that moves the edge by less than a
            // pixel changes nothing on screen and draws no frame.
            property real sweptHeight: root.fill
            height: Math.round(sweptHeight)
            radius: 3
            gradient: Gradient {
                GradientStop { position: 0; color: Qt.rgba(root.fillTone.r, root.fillTone.g, root.fillTone.b, 0.55) }
                GradientStop { position: 1; color: Qt.rgba(root.fillTone.r, root.fillTone.g, root.fillTone.b, 0.85) }
            }
            Behavior on sweptHeight { enabled: root.visible; NumberAnimation { duration: 400; easing.type: Easing.InOutQuad } }
        }
    }
    Text {
        Layout.alignment: Qt.AlignHCenter
        Layout.maximumWidth: root.width
        text: root.cell.percentText
        textFormat: Text.PlainText
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 6
        font: AppTypography.font(8, Font.Bold, "monospaced", AppTypography.usesEnglish)
        color: AppTheme.ink
        opacity: 0.75
    }
}
