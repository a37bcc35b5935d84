import QtQuick
import QtQuick.Layouts
import Roror.App

// The force-quit question over the page: Force Quit or Cancel; any other way of closing cancels.
Item {
    id: dialog
    required property DashboardPage page
    visible: page.forceQuitPending
    focus: visible
    onVisibleChanged: if (visible) forceActiveFocus()
    Keys.onEscapePressed: dialog.page.cancelForceQuit()

    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.18)
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.AllButtons
            onClicked: dialog.page.cancelForceQuit()
            onWheel: (wheel) => wheel.accepted = true
        }
    }
    Rectangle {
        objectName: "forceQuitDialog"
        anchors.centerIn: parent
        width: 320
        implicitHeight: content.implicitHeight + 40
        height: implicitHeight
        radius: 14
        color: Qt.rgba(0.98, 0.98, 0.98, 0.97)
        border.color: Qt.rgba(0, 0, 0, 0.12)
        border.width: 0.5
        MouseArea {
            anchors.fill: parent
        }
        ColumnLayout {
            id: content
            x: 20
            y: 20
            width: parent.width - 40
            spacing: 10
            DashSymbol {
                Layout.alignment: Qt.AlignHCenter
                name: "exclamationmark.octagon"
                size: 34
                color: DashTheme.danger
            }
            Text {
                objectName: "forceQuitTitle"
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: Loc.chinese ? "强制结束进程" : "Force Quit Process"
                font.family: DashTheme.sans
                font.pixelSize: 14
                font.weight: Font.Bold
                color: DashTheme.ink
            }
            Text {
                objectName: "forceQuitMessage"
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: dialog.page.forceQuitMessage
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                font.family: DashTheme.sans
                font.pixelSize: 12
                color: DashTheme.ink
            }
            ColumnLayout {
                Layout.fillWidth: true
                Layout.topMargin: 6
                spacing: 8
                DialogButton {
                    objectName: "forceQuitConfirm"
                    Layout.fillWidth: true
                    text: Loc.chinese ? "强制退出" : "Force Quit"
                    tint: DashTheme.danger
                    onClicked: dialog.page.confirmForceQuit()
                }
                DialogButton {
                    objectName: "forceQuitCancel"
                    Layout.fillWidth: true
                    text: Loc.chinese ? "取消" : "Cancel"
                    tint: DashTheme.ink
                    onClicked: dialog.page.cancelForceQuit()
                }
            }
        }
    }
}
