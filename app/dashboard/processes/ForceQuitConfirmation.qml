import QtQuick
import QtQuick.Controls
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// The force-quit question on the pages' own alert: Force Quit (destructive), then Cancel. Escape
// and a click outside cancel too.
PageAlert {
    id: root
    required property DashboardPage page

    shown: root.page.forceQuitPending
    title: Tr.text("强制结束进程", "Force Quit Process")
    message: root.page.forceQuitMessage
    confirmTitle: Tr.text("强制退出", "Force Quit")
    confirmFirst: true
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    onCancelled: root.page.cancelForceQuit()
    onConfirmed: root.page.confirmForceQuit()
}
