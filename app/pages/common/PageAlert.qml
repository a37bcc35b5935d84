import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Shell

// A page's own confirmation, in the look of the window's alerts: the mark, a title, the message
// as plain text, Cancel and the destructive button, which can be disabled. It is up exactly
// while `shown`; the page's answer (`cancelled` or `confirmed`) ends that. Escape answers Cancel.
Popup {
    id: root
    required property bool shown
    required property string title
    required property string message
    required property string confirmTitle
    property bool confirmEnabled: true
    signal cancelled()
    signal confirmed()

    visible: root.shown && root.parent !== null
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: 272
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    padding: 20

    // Closed while still wanted: Escape. Hidden because the page's state went away: nothing to say.
    onClosed: if (root.shown && root.parent !== null) root.cancelled()

    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.12)
    }

    background: Rectangle {
        radius: 14
        color: AppTheme.card // opaque: no page text may read through an alert
        border.color: AppTheme.shade(0.1)
        border.width: 0.5
    }

    contentItem: ColumnLayout {
        spacing: 10
        Accessible.role: Accessible.AlertMessage
        Accessible.name: root.title

        RororMark {
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: 56
            Layout.preferredHeight: 56
        }
        Text {
            objectName: "alertTitle"
            Layout.fillWidth: true
            text: root.title
            textFormat: Text.PlainText
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            color: AppTheme.ink
            font: AppTypography.font(14, Font.DemiBold, "default", AppTypography.usesEnglish)
        }
        Text {
            objectName: "alertMessage"
            Layout.fillWidth: true
            visible: root.message.length > 0
            text: root.message
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
                Layout.fillWidth: true
                title: Tr.text("取消", "Cancel")
                onClicked: root.cancelled()
            }
            AlertButton {
                objectName: "alertConfirm"
                Layout.fillWidth: true
                enabled: root.confirmEnabled
                opacity: enabled ? 1 : 0.45
                title: root.confirmTitle
                destructive: true
                onClicked: root.confirmed()
            }
        }
    }
}
