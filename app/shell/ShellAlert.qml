import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// A window-wide alert over a dimmed window: the application mark, a title, a message shown as
// plain text and one or two buttons. It is open while `shown` holds; the owner ends that in
// `accepted`. Closing it by the user (the cancel button, Escape) reports `dismissed`, where the
// owner ends `shown` too. While open it takes every click and key of the window.
FocusScope {
    id: root
    required property bool shown
    required property string title
    required property string message
    required property string acceptTitle
    // Empty for an alert with a single button.
    property string cancelTitle
    // The accept button carries the destructive colour.
    property bool destructive: false
    readonly property bool opened: visible
    signal accepted()
    signal dismissed()

    anchors.fill: parent
    visible: root.shown
    z: 100
    onVisibleChanged: if (visible) root.forceActiveFocus()
    Keys.onEscapePressed: root.dismissed()
    // A one-button alert is also closed with Return, as its only choice.
    Keys.onReturnPressed: if (root.cancelTitle.length === 0) root.accepted()

    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.12)
    }
    // Nothing under the alert reacts while it is open.
    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.AllButtons
        onWheel: wheel => wheel.accepted = true
    }

    Rectangle {
        anchors.centerIn: parent
        width: 272
        implicitHeight: column.implicitHeight + 40
        radius: 14
        color: Qt.rgba(0.98, 0.98, 0.98, 0.97)
        border.color: Qt.rgba(0, 0, 0, 0.1)
        border.width: 0.5
        Accessible.role: Accessible.AlertMessage
        Accessible.name: root.title

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
}
