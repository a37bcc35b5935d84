import QtQuick
import Roror.App
import Roror.Kit

// The root view: sidebar, page switch, alerts and the start-up sequence.
Rectangle {
    id: root
    required property AppModel model
    color: AppTheme.windowBackground

    EmptyState {
        objectName: "pageSlot"
        anchors.fill: parent
        title: "Roror"
        message: Loc.chinese ? "准备就绪" : "Ready"
    }
}
