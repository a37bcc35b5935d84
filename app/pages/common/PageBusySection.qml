import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Shell

// The results slot while the page's own action runs: a titled section with the busy strip.
NativeSection {
    id: root
    required property AppModel model
    objectName: "busySection"
    glass: true

    PageStatusView {
        Layout.fillWidth: true
        model: root.model
    }
}
