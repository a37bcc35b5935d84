import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// A window-wide alert: the application mark, a title, a message shown as plain text and one or
// two buttons. It is shown while `shown` holds; the owner ends that in `accepted`. Every way of
// closing it by the user (the cancel button, Escape) reports `dismissed`; the owner ends `shown` there too.
Popup {
    id: root
    required property bool shown
    required property string title
    required property string message
    required property string acceptTitle
    // Empty for an alert with a single button.
    property string cancelTitle
    // The accept button carries the destructive colour.
    property bool destructive: false
    signal accepted()
    signal dismissed()

    // Opened once the view is in a window (the overlay is the window's).
    visible: root.shown && root.parent !== null
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: 272
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    padding: 20

    // Closed while still wanted: Escape. Hidden because the state went away: nothing to report.
    onClosed: if (root.shown && root.parent !== null) root.dismissed()

    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.12)
    }

    background: Rectangle {
        radius: 14
        color: Qt.rgba(0.98, 0.98, 0.98, 0.97)
        border.color: Qt.rgba(0, 0, 0, 0.1)
        border.width: 0.5
    }

    contentItem: ColumnLayout {
        spacing: 10
        Accessible.role: Accessible.AlertMessage
        Accessible.name: root.title

        Image {
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: 56
            Layout.preferredHeight: 56
            source: "RororMark.svg"
            sourceSize.width: 112
            sourceSize.height: 112
            smooth: true
            mipmap: true
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
                visible: root.cancelTitle.length > 0
                Layout.fillWidth: true
                title: root.cancelTitle
                onClicked: root.dismissed()
            }
            AlertButton {
                objectName: "alertAccept"
                Layout.fillWidth: true
                title: root.acceptTitle
                prominent: !root.destructive
                destructive: root.destructive
                onClicked: root.accepted()
            }
        }
    }
}
