import QtQuick
import Roror.App
import Roror.Kit

// The selection box of a result row (no title of its own): a rounded square, filled with the
// accent and checked while `checked`. A click asks for the other state through `toggled`.
Item {
    id: root
    property bool checked: false
    signal toggled(bool checked)

    implicitWidth: 16
    implicitHeight: 16
    activeFocusOnTab: true
    Accessible.role: Accessible.CheckBox
    Accessible.checkable: true
    Accessible.checked: checked
    Keys.onSpacePressed: root.toggled(!root.checked)

    Rectangle {
        anchors.fill: parent
        radius: 4
        color: root.checked ? AppTheme.accent : AppTheme.wash(0.85)
        border.width: root.checked ? 0 : 1
        border.color: root.activeFocus ? AppTheme.accent : AppTheme.shade(0.25)
    }
    // The platform's check mark, taken from the icon font (it is a control's drawing, not a symbol
    // of the pages).
    Text {
        anchors.centerIn: parent
        visible: root.checked
        text: "check"
        textFormat: Text.PlainText
        font: AppTypography.symbolFont(12, Font.Bold)
        color: "white"
    }
    MouseArea {
        anchors.fill: parent
        anchors.margins: -4
        onClicked: root.toggled(!root.checked)
    }
}
