import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The card of a window-wide alert (ShellAlert): mark, title, message and buttons.
Rectangle {
    id: card
    required property ShellAlert alert

    width: 272
    implicitHeight: column.implicitHeight + 40
    radius: 14
    color: "#fafafa" // opaque: no page text may read through an alert
    border.color: Qt.rgba(0, 0, 0, 0.1)
    border.width: 0.5
    Accessible.role: Accessible.AlertMessage
    Accessible.name: card.alert.title

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
            text: card.alert.title
            textFormat: Text.PlainText
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            color: AppTheme.ink
            font: AppTypography.font(14, Font.DemiBold, "default", AppTypography.usesEnglish)
        }
        Text {
            objectName: "alertMessage"
            Layout.fillWidth: true
            visible: card.alert.message.length > 0
            text: card.alert.message
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
                visible: card.alert.cancelTitle.length > 0
                Layout.fillWidth: true
                title: card.alert.cancelTitle
                onClicked: card.alert.dismissed()
            }
            AlertButton {
                objectName: "alertAccept"
                Layout.fillWidth: true
                title: card.alert.acceptTitle
                prominent: !card.alert.destructive
                destructive: card.alert.destructive
                onClicked: card.alert.accepted()
            }
        }
    }
}
