import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// A push button as the platform draws a bordered one: the title (and a leading symbol when given)
// on a light rounded card with a hairline. `small` is the small control size of toolbars and
// folder rows; `prominent` fills it with the accent (the default action of a sheet, or a
// bordered-prominent button); `tint` colours the label (the destructive one). A button with only a
// symbol says what it does in `help`, shown under the pointer.
Item {
    id: root
    property string title
    property string systemImage
    property bool small: false
    property bool prominent: false
    property color tint: "transparent"
    property string help
    readonly property color foreground: prominent ? "white"
                                                  : (small && !enabled ? AppTheme.quiet : (tint.a > 0 ? tint : AppTheme.ink))
    signal clicked()

    // A titled regular button is never narrower than the platform's push buttons.
    implicitWidth: small ? Math.max(implicitHeight, row.implicitWidth + (title.length > 0 ? 20 : 12))
                         : Math.max(title.length > 0 ? 64 : 30, row.implicitWidth + (title.length > 0 ? 22 : 12))
    implicitHeight: small ? 24 : 26
    // A small button shows that it is off by its quiet label, a regular one by fading whole.
    opacity: enabled || small ? 1 : 0.45
    activeFocusOnTab: small || enabled
    Accessible.role: Accessible.Button
    Accessible.name: title.length > 0 ? title : help
    Accessible.onPressAction: if (root.enabled) root.clicked()
    Keys.onSpacePressed: if (root.enabled) root.clicked()
    // Return stays with a sheet's default action unless the button is a small one.
    Keys.onReturnPressed: event => {
        if (root.small && root.enabled)
            root.clicked()
        else
            event.accepted = false
    }

    ToolTip.visible: help.length > 0 && mouse.containsMouse
    ToolTip.text: help
    ToolTip.delay: 600

    Rectangle {
        anchors.fill: parent
        radius: 6
        color: root.prominent ? (mouse.pressed ? Qt.darker(AppTheme.accent, 1.25) : AppTheme.accent)
             : mouse.pressed ? AppTheme.shade(0.09)
             : root.small ? (mouse.containsMouse && root.enabled ? AppTheme.wash(0.85) : AppTheme.wash(0.62))
             : AppTheme.wash(mouse.containsMouse ? 0.95 : 0.78)
        border.width: root.prominent ? 0 : 0.8
        border.color: !root.small ? AppTheme.shade(0.16)
                    : (root.activeFocus ? AppTheme.faded(AppTheme.accent, 0.6) : AppTheme.shade(0.12))
    }
    Rectangle {
        anchors.fill: parent
        anchors.margins: -3
        radius: 9
        visible: root.activeFocus && !root.small
        color: "transparent"
        border.width: 2.5
        border.color: AppTheme.faded(AppTheme.orbCool, 0.55)
    }
    RowLayout {
        id: row
        anchors.centerIn: parent
        spacing: 5
        SymbolImage {
            objectName: "borderedButtonSymbol"
            visible: root.systemImage.length > 0
            systemName: root.systemImage
            size: root.small ? 11 : 13
            weight: root.small ? Font.Medium : Font.Normal
            color: root.foreground
        }
        Text {
            objectName: "borderedButtonTitle"
            visible: root.title.length > 0
            text: root.title
            textFormat: Text.PlainText
            color: root.foreground
            font: AppTypography.font(root.small ? 12 : 13, root.small || root.prominent ? Font.Medium : Font.Normal,
                                     "default", AppTypography.usesEnglish)
        }
    }
    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        enabled: root.enabled
        onClicked: root.clicked()
    }
}
