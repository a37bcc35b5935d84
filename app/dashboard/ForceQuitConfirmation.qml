import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The force-quit question: Force Quit (destructive) or Cancel. Escape and a click outside cancel too.
Popup {
    id: root
    required property DashboardPage page

    visible: root.page.forceQuitPending && root.parent !== null
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: 272
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    padding: 20

    // Closed while the question is still open: the user dismissed it.
    onClosed: root.page.cancelForceQuit()

    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.12)
    }

    background: Rectangle {
        objectName: "forceQuitDialog"
        radius: 14
        color: "#fafafa" // opaque: no page text may read through an alert
        border.color: Qt.rgba(0, 0, 0, 0.1)
        border.width: 0.5
    }

    contentItem: ColumnLayout {
        spacing: 10
        Accessible.role: Accessible.AlertMessage
        Accessible.name: Loc.chinese ? "强制结束进程" : "Force Quit Process"

        SymbolImage {
            Layout.alignment: Qt.AlignHCenter
            systemName: "exclamationmark.octagon"
            size: 34
            color: AppTheme.danger
        }
        Text {
            objectName: "forceQuitTitle"
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            text: Loc.chinese ? "强制结束进程" : "Force Quit Process"
            color: AppTheme.ink
            font: AppTypography.font(14, Font.DemiBold, "default", AppTypography.usesEnglish)
        }
        Text {
            objectName: "forceQuitMessage"
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            text: root.page.forceQuitMessage
            textFormat: Text.PlainText
            color: AppTheme.ink
            font: AppTypography.font(12, Font.Normal, "default", AppTypography.usesEnglish)
        }
        RowLayout {
            Layout.fillWidth: true
            Layout.topMargin: 6
            spacing: 8
            DialogButton {
                objectName: "forceQuitCancel"
                Layout.fillWidth: true
                title: Loc.chinese ? "取消" : "Cancel"
                onClicked: root.page.cancelForceQuit()
            }
            DialogButton {
                objectName: "forceQuitConfirm"
                Layout.fillWidth: true
                title: Loc.chinese ? "强制退出" : "Force Quit"
                destructive: true
                onClicked: root.page.confirmForceQuit()
            }
        }
    }
}
