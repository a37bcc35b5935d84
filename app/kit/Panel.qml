pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Layouts

// A card: glass (padding 14 when compact, else 20) or a plain card (always padding 20) with a
// faint fill, a hairline border and a soft shadow. Children stack top to bottom; the card grows
// beyond its content only as far as a child can grow (Layout.fillHeight).
Item {
    id: root
    property bool glass: true
    property real cornerRadius: 26
    property bool compact: false
    default property alias content: column.data
    readonly property real padding: glass && compact ? 14 : 20

    implicitWidth: column.implicitWidth + 2 * padding
    implicitHeight: column.implicitHeight + 2 * padding
    Layout.minimumHeight: column.Layout.minimumHeight + 2 * padding
    Layout.maximumHeight: column.Layout.maximumHeight + 2 * padding

    // The plain card's face and shadow, made only for a plain card: the many glass cards build
    // none of it. Below the content, as first children would be.
    property Item plainFace: null
    onGlassChanged: makePlainFace()
    Component.onCompleted: makePlainFace()
    function makePlainFace() {
        if (!root.glass && root.plainFace === null)
            root.plainFace = plainFaceMaker.createObject(root);
    }
    Component {
        id: plainFaceMaker
        Item {
            id: face
            readonly property real cornerRadius: root.cornerRadius
            visible: !root.glass
            anchors.fill: parent
            z: -1
            // Shadow of the plain card (black at 0.025, radius 12, 3 down) as rings outside the card,
            // so the translucent card itself stays clear.
            Rectangle {
                x: -2
                y: 1
                width: face.width + 4
                height: face.height + 4
                radius: face.cornerRadius + 2
                color: "transparent"
                border.width: 2
                border.color: Qt.rgba(0, 0, 0, 0.02500)
            }
            Rectangle {
                x: -4
                y: -1
                width: face.width + 8
                height: face.height + 8
                radius: face.cornerRadius + 4
                color: "transparent"
                border.width: 2
                border.color: Qt.rgba(0, 0, 0, 0.01875)
            }
            Rectangle {
                x: -6
                y: -3
                width: face.width + 12
                height: face.height + 12
                radius: face.cornerRadius + 6
                color: "transparent"
                border.width: 2
                border.color: Qt.rgba(0, 0, 0, 0.01250)
            }
            Rectangle {
                x: -8
                y: -5
                width: face.width + 16
                height: face.height + 16
                radius: face.cornerRadius + 8
                color: "transparent"
                border.width: 2
                border.color: Qt.rgba(0, 0, 0, 0.00625)
            }
            Rectangle {
                anchors.fill: parent
                radius: face.cornerRadius
                color: AppTheme.elevated
                border.width: 1
                border.color: AppTheme.faded(AppTheme.line, 0.44)
            }
        }
    }
    LiquidGlassSurface {
        anchors.fill: parent
        visible: root.glass
        cornerRadius: root.cornerRadius
    }
    ColumnLayout {
        id: column
        x: root.padding
        y: root.padding
        width: Math.max(0, root.width - 2 * root.padding)
        height: Math.max(0, Math.min(root.height - 2 * root.padding, Layout.maximumHeight))
        spacing: 0
    }
}
