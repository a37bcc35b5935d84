import QtQuick
import QtQuick.Shapes
import Roror.Kit

// The square check box of a list row: an accent square with a white tick when `checked`, an empty
// bordered square otherwise. Emits `toggled` with the new state on a click or Space.
Item {
    id: root
    property bool checked: false
    signal toggled(bool checked)

    implicitWidth: 16
    implicitHeight: 16
    opacity: enabled ? 1 : 0.5
    activeFocusOnTab: enabled
    Accessible.role: Accessible.CheckBox
    Accessible.checkable: true
    Accessible.checked: checked
    Accessible.onToggleAction: root.toggled(!root.checked)
    Keys.onSpacePressed: root.toggled(!root.checked)

    Rectangle {
        anchors.fill: parent
        radius: 4
        color: root.checked ? AppTheme.accent : AppTheme.wash(0.9)
        border.width: root.checked ? 0 : 1
        border.color: AppTheme.shade(0.28)
    }
    Shape {
        anchors.fill: parent
        visible: root.checked
        ShapePath {
            strokeColor: "white"
            strokeWidth: 2
            fillColor: "transparent"
            capStyle: ShapePath.RoundCap
            joinStyle: ShapePath.RoundJoin
            startX: 4
            startY: 8.5
            PathLine { x: 7; y: 11.5 }
            PathLine { x: 12.5; y: 5 }
        }
    }
    Rectangle {
        anchors.fill: parent
        anchors.margins: -3
        radius: 6
        visible: root.activeFocus
        color: "transparent"
        border.width: 2.5
        border.color: AppTheme.faded(AppTheme.orbCool, 0.55)
    }
}
