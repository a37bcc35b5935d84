import QtQuick
import QtQuick.Layouts
import Roror.App

// One page button of the sidebar. Hover only changes the label colour; the selected item's
// surface is drawn by the sidebar, which moves it from item to item.
Item {
    id: root
    required property string feature
    required property string title
    required property string systemImage
    required property bool selected
    readonly property bool hovered: pointer.containsMouse
    readonly property color labelColor: root.selected ? Qt.alpha(KitStandIn.primary, KitStandIn.primary.a * 0.96)
                                      : root.hovered ? Qt.alpha(KitStandIn.primary, KitStandIn.primary.a * 0.88)
                                      : KitStandIn.secondary
    signal activated(string feature)

    objectName: "sidebar." + feature
    implicitHeight: 42
    Accessible.role: Accessible.PageTab
    Accessible.name: root.title
    Accessible.selected: root.selected

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        spacing: 12

        Item {
            objectName: "sidebarIcon"
            property string systemImage: root.systemImage
            Layout.preferredWidth: 22
            Layout.fillHeight: true
        }
        Text {
            objectName: "sidebarTitle"
            Layout.fillWidth: true
            text: root.title
            textFormat: Text.PlainText
            color: root.labelColor
            font.family: Loc.chinese ? KitStandIn.sans : KitStandIn.rounded
            font.pixelSize: Loc.chinese ? 15.5 : 14.5
            font.weight: root.selected ? Font.DemiBold : Font.Normal
            maximumLineCount: 1
            elide: Text.ElideRight
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: Math.floor(font.pixelSize * 0.78)
        }
    }

    MouseArea {
        id: pointer
        anchors.fill: parent
        hoverEnabled: true
        onClicked: root.activated(root.feature)
    }
}
