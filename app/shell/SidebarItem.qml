import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// One page button of the sidebar. Hover only changes the label colour; the selected item's
// surface is drawn by the sidebar, which moves it from item to item.
Item {
    id: root
    required property string feature
    required property string title
    required property string systemImage
    required property bool selected
    readonly property bool hovered: pointer.containsMouse
    readonly property color labelColor: root.selected ? AppTheme.faded(AppTheme.primary, 0.96)
                                      : root.hovered ? AppTheme.faded(AppTheme.primary, 0.88)
                                      : AppTheme.secondary
    signal activated(string feature)

    objectName: "sidebar." + feature
    implicitHeight: 42
    Accessible.role: Accessible.PageTab
    Accessible.name: root.title
    Accessible.selected: root.selected
    activeFocusOnTab: true
    Keys.onSpacePressed: root.activated(root.feature)
    Keys.onReturnPressed: root.activated(root.feature)
    Keys.onEnterPressed: root.activated(root.feature)

    FocusMark {
        outset: 0
        controlRadius: 10
    }

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        spacing: 12

        SymbolImage {
            objectName: "sidebarIcon"
            Layout.preferredWidth: 22
            systemName: root.systemImage
            size: 16
            weight: root.selected ? Font.Bold : Font.Normal
            color: root.labelColor
        }
        Text {
            objectName: "sidebarTitle"
            Layout.fillWidth: true
            text: root.title
            textFormat: Text.PlainText
            color: root.labelColor
            font: AppTypography.font(AppTypography.usesEnglish ? 14.5 : 15.5, root.selected ? Font.DemiBold : Font.Normal,
                                     AppTypography.usesEnglish ? "rounded" : "default", AppTypography.usesEnglish)
            maximumLineCount: 1
            elide: Text.ElideRight
            fontSizeMode: Text.HorizontalFit
            // The size is in points when fractional, in pixels otherwise; both limits are given.
            minimumPointSize: Math.max(1, font.pointSize * 0.78)
            minimumPixelSize: Math.max(1, Math.floor(font.pixelSize * 0.78))
        }
    }

    MouseArea {
        id: pointer
        anchors.fill: parent
        hoverEnabled: true
        onClicked: root.activated(root.feature)
    }
}
