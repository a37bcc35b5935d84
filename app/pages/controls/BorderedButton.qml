import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// A push button as the platform draws a bordered one: the title (and a leading symbol when given)
// on a light rounded card with a hairline. `prominent` fills it with the accent (the default
// action of a sheet, or a bordered-prominent button); `small` is the small control size. A button
// with only a symbol shows `toolTip` under the pointer.
Item {
    id: root
    property string title
    property string systemImage
    property bool prominent: false
    property bool small: false
    property string toolTip
    signal clicked()

    // A titled button is never narrower than the platform's push buttons.
    implicitWidth: Math.max(title.length > 0 ? (small ? 48 : 64) : (small ? 26 : 30), row.implicitWidth + (title.length > 0 ? (small ? 16 : 22) : 12))
    implicitHeight: small ? 22 : 26
    opacity: enabled ? 1 : 0.45
    activeFocusOnTab: enabled
    Accessible.role: Accessible.Button
    Accessible.name: title.length > 0 ? title : toolTip
    Accessible.onPressAction: root.clicked()
    Keys.onSpacePressed: root.clicked()

    ToolTip.visible: toolTip.length > 0 && mouse.containsMouse
    ToolTip.text: toolTip
    ToolTip.delay: 600

    Rectangle {
        anchors.fill: parent
        radius: root.small ? 5 : 6
        color: root.prominent ? (mouse.pressed ? Qt.darker(AppTheme.accent, 1.25) : AppTheme.accent)
                              : (mouse.pressed ? Qt.rgba(0, 0, 0, 0.09) : Qt.rgba(1, 1, 1, mouse.containsMouse ? 0.95 : 0.78))
        border.width: root.prominent ? 0 : 0.8
        border.color: Qt.rgba(0, 0, 0, 0.16)
    }
    Rectangle {
        anchors.fill: parent
        anchors.margins: -3
        radius: root.small ? 8 : 9
        visible: root.activeFocus
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
            size: root.small ? 12 : 13
            color: root.prominent ? "white" : AppTheme.ink
        }
        Text {
            objectName: "borderedButtonTitle"
            visible: root.title.length > 0
            text: root.title
            textFormat: Text.PlainText
            color: root.prominent ? "white" : AppTheme.ink
            font: AppTypography.font(root.small ? 12 : 13, root.prominent ? Font.Medium : Font.Normal, "default", AppTypography.usesEnglish)
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
