import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The card of a window-wide alert (ShellAlert): mark, title, message and buttons. It holds the
// alert's values, not the alert itself, so the alert can name it without a cycle.
Rectangle {
    id: card
    required property string title
    required property string message
    required property string acceptTitle
    // Empty for a card with a single button.
    property string cancelTitle
    property bool destructive: false
    signal accepted()
    signal dismissed()

    width: 272
    implicitHeight: column.implicitHeight + 40
    radius: 14
    color: AppTheme.card // opaque: no page text may read through an alert
    border.color: AppTheme.shade(0.1)
    border.width: 0.5
    Accessible.role: Accessible.AlertMessage
    Accessible.name: card.title

    ColumnLayout {
        id: column
        x: 20
        y: 20
        width: parent.width - 40
        spacing: 10

        RororMark {
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: 56
            Layout.preferredHeight: 56
        }
        Text {
            objectName: "alertTitle"
            Layout.fillWidth: true
            text: card.title
            textFormat: Text.PlainText
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            color: AppTheme.ink
            font: AppTypography.font(14, Font.DemiBold, "default", AppTypography.usesEnglish)
        }
        Text {
            objectName: "alertMessage"
            Layout.fillWidth: true
            visible: card.message.length > 0
            text: card.message
            textFormat: Text.PlainText
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            color: AppTheme.ink
            font: AppTypography.font(12, Font.Normal, "default", AppTypography.usesEnglish)
        }
        RowLayout {
            Layout.fillWidth: true
            Layout.topMargin: 6
            spacing: 8

            AlertButton {
                objectName: "alertCancel"
                visible: card.cancelTitle.length > 0
                Layout.fillWidth: true
                title: card.cancelTitle
                onClicked: card.dismissed()
            }
            AlertButton {
                objectName: "alertAccept"
                Layout.fillWidth: true
                title: card.acceptTitle
                prominent: !card.destructive
                destructive: card.destructive
                onClicked: card.accepted()
            }
        }
    }
}
