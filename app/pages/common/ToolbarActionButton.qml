import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The compact glass button of a page's header row. Emits `action` when clicked (or pressed with
// Space or Return while focused); it has no state of its own.
Item {
    id: root
    property string title
    property string systemImage
    property bool isPrimary: false
    signal action()

    implicitWidth: Math.max(isPrimary ? 82 : 98, label.implicitWidth + 26)
    implicitHeight: 30
    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: title
    Accessible.onPressAction: root.action()
    Keys.onSpacePressed: root.action()
    Keys.onReturnPressed: root.action()
    Keys.onEnterPressed: root.action()

    LiquidGlassInteractive {
        anchors.fill: parent
        cornerRadius: 15
        tint: root.isPrimary ? AppTheme.faded(AppTheme.accent, 0.12) : "transparent"
        hovered: mouse.containsMouse
        pressed: mouse.pressed
    }
    FocusMark {
        controlRadius: 15
    }
    RowLayout {
        id: label
        anchors.centerIn: parent
        spacing: 6
        SymbolImage {
            objectName: "toolbarActionButtonSymbol"
            systemName: root.systemImage
            size: 12
            weight: Font.DemiBold
            color: root.isPrimary ? AppTheme.accent : AppTheme.ink
        }
        Text {
            objectName: "toolbarActionButtonTitle"
            text: root.title
            textFormat: Text.PlainText
            color: root.isPrimary ? AppTheme.accent : AppTheme.ink
            font: AppTypography.font(12, Font.DemiBold, "default", AppTypography.usesEnglish)
        }
    }
    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        onClicked: root.action()
    }
}
