import QtQuick
import QtQuick.Controls
import Roror.Kit

// A borderless icon button of a result row, its text shown as hover help. A disabled button is
// drawn faint and does nothing.
Item {
    id: root
    property string systemImage
    property string help
    property color tint: AppTheme.accent
    signal clicked()

    implicitWidth: 22
    implicitHeight: 22
    Accessible.role: Accessible.Button
    Accessible.name: help
    Accessible.onPressAction: if (root.enabled) root.clicked()
    activeFocusOnTab: enabled
    Keys.onSpacePressed: if (root.enabled) root.clicked()
    Keys.onReturnPressed: if (root.enabled) root.clicked()
    Keys.onEnterPressed: if (root.enabled) root.clicked()

    // The ring is made when the button first takes the focus (below the symbol, as the first
    // child would be): a row of buttons builds one item less for each.
    onActiveFocusChanged: {
        if (activeFocus && focusMark === null)
            focusMark = focusMarkMaker.createObject(root);
    }
    property FocusMark focusMark: null
    Component {
        id: focusMarkMaker
        FocusMark {
            z: -1
            outset: 0
            controlRadius: 5
        }
    }

    SymbolImage {
        anchors.centerIn: parent
        systemName: root.systemImage
        size: 14
        color: root.enabled ? root.tint : AppTheme.faded(root.tint, 0.3)
        opacity: mouse.pressed ? 0.6 : 1
    }
    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        enabled: root.enabled
        onClicked: root.clicked()
        onContainsMouseChanged: if (containsMouse && !root.helpReady) root.readyHelp()
    }

    // The hover help is set up when the pointer first comes over the button: a list builds no
    // tool tip state for its many buttons until then.
    property bool helpReady: false
    function readyHelp() {
        helpReady = true;
        ToolTip.delay = 600;
        ToolTip.text = Qt.binding(() => root.help);
        ToolTip.visible = Qt.binding(() => mouse.containsMouse && root.help.length > 0);
    }
}
