import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The small bordered button of selection toolbars and folder rows: an optional symbol and a title
// on a light rounded fill with a hairline border; `tint` colours the label (the destructive one).
Item {
    id: root
    property string title
    property string systemImage
    property color tint: "transparent"
    // Hover help; buttons showing only a symbol say what they do here.
    property string help
    readonly property color foreground: !enabled ? AppTheme.quiet : (tint.a > 0 ? tint : AppTheme.ink)
    signal clicked()

    implicitWidth: Math.max(implicitHeight, label.implicitWidth + (title.length > 0 ? 20 : 12))
    implicitHeight: 24
    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: title.length > 0 ? title : help
    Accessible.onPressAction: if (root.enabled) root.clicked()
    Keys.onSpacePressed: if (root.enabled) root.clicked()
    Keys.onReturnPressed: if (root.enabled) root.clicked()

    Rectangle {
        anchors.fill: parent
        radius: 6
        color: mouse.pressed ? Qt.rgba(0, 0, 0, 0.09) : (mouse.containsMouse && root.enabled ? Qt.rgba(1, 1, 1, 0.85) : Qt.rgba(1, 1, 1, 0.62))
        border.width: 0.8
        border.color: root.activeFocus ? AppTheme.faded(AppTheme.accent, 0.6) : Qt.rgba(0, 0, 0, 0.12)
    }
    RowLayout {
        id: label
        anchors.centerIn: parent
        spacing: 5
        SymbolImage {
            visible: root.systemImage.length > 0
            systemName: root.systemImage
            size: 11
            weight: Font.Medium
            color: root.foreground
        }
        Text {
            objectName: "borderedButtonTitle"
            visible: root.title.length > 0
            text: root.title
            textFormat: Text.PlainText
            color: root.foreground
            font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
        }
    }
    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        enabled: root.enabled
        onClicked: root.clicked()
    }
    ToolTip.visible: mouse.containsMouse && root.help.length > 0
    ToolTip.delay: 600
    ToolTip.text: root.help
}
