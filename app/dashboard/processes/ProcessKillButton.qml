import QtQuick
import QtQuick.Controls.Basic
import Roror.App
import Roror.Kit

// The row's quit button: shown on hover for a process that may be ended; it keeps its slot when hidden.
Item {
    id: button
    property bool isVisible
    property bool isEnabled
    signal triggered()
    implicitWidth: 28
    implicitHeight: 28
    enabled: isEnabled
    // Shown on hover, and while it has the keyboard focus.
    opacity: isVisible || activeFocus ? 1 : 0
    scale: isVisible || activeFocus ? 1 : 0.85
    activeFocusOnTab: isEnabled
    Accessible.role: Accessible.Button
    Accessible.name: Tr.text("退出", "Quit")
    Accessible.onPressAction: if (button.isEnabled) button.triggered()
    Keys.onSpacePressed: if (button.isEnabled) button.triggered()
    Keys.onReturnPressed: if (button.isEnabled) button.triggered()
    Behavior on opacity { enabled: button.visible; NumberAnimation { duration: 150; easing.type: Easing.InOutQuad } }
    Behavior on scale { enabled: button.visible; NumberAnimation { duration: 150; easing.type: Easing.InOutQuad } }

    SymbolImage {
        anchors.centerIn: parent
        systemName: "xmark.circle.fill"
        size: 15
        weight: Font.Medium
        color: AppTheme.ink
        opacity: tap.pressed ? 0.9 : 0.55
    }
    FocusMark {
        outset: 0
        controlRadius: 14
    }
    TapHandler {
        id: tap
        enabled: button.isVisible && button.isEnabled
        onTapped: button.triggered()
    }
    HoverHandler {
        id: hover
        enabled: button.isVisible
    }
    ToolTip.visible: hover.hovered
    ToolTip.delay: 800
    ToolTip.text: Tr.text("退出", "Quit")
}
