import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Templates as T
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// A page's own confirmation: a modal card over the window with a title, a message and two
// buttons, Cancel and the destructive one. It is up exactly while `shown`; the page's answer
// (`cancelled` or `confirmed`) closes it. Escape answers Cancel.
Popup {
    id: root
    property bool shown: false
    property string title
    property string message
    property string confirmTitle
    property bool confirmEnabled: true
    signal cancelled()
    signal confirmed()

    parent: T.Overlay.overlay
    anchors.centerIn: parent
    width: 320
    modal: true
    focus: true
    visible: shown
    closePolicy: Popup.NoAutoClose
    padding: 20
    T.Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.12)
    }
    background: Rectangle {
        radius: 14
        color: Qt.rgba(0.97, 0.97, 0.97, 0.98)
        border.width: 0.8
        border.color: Qt.rgba(0, 0, 0, 0.14)
    }

    contentItem: ColumnLayout {
        spacing: 8
        Keys.onEscapePressed: root.cancelled()
        Text {
            objectName: "alertTitle"
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: root.title
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            color: AppTheme.ink
            font: AppTypography.font(14, Font.Bold, "default", AppTypography.usesEnglish)
        }
        Text {
            objectName: "alertMessage"
            Layout.fillWidth: true
            visible: root.message.length > 0
            horizontalAlignment: Text.AlignHCenter
            text: root.message
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            color: AppTheme.ink
            font: AppTypography.font(12, Font.Normal, "default", AppTypography.usesEnglish)
        }
        RowLayout {
            Layout.fillWidth: true
            Layout.topMargin: 8
            spacing: 8
            BorderedButton {
                objectName: "alertCancel"
                Layout.fillWidth: true
                implicitHeight: 28
                title: Loc.chinese ? "取消" : "Cancel"
                onClicked: root.cancelled()
            }
            BorderedButton {
                objectName: "alertConfirm"
                Layout.fillWidth: true
                implicitHeight: 28
                enabled: root.confirmEnabled
                title: root.confirmTitle
                tint: AppTheme.danger
                onClicked: root.confirmed()
            }
        }
    }
}
