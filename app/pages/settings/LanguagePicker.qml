pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The segmented language choice: follow the system, Chinese, English. `currentIndex` is the
// selected segment; a click emits `picked` with the segment's index.
Item {
    id: root
    property int currentIndex: 0
    signal picked(int index)

    implicitWidth: segments.implicitWidth + 4
    implicitHeight: 26
    Accessible.role: Accessible.PageTabList

    // One segment: its title, highlighted while selected.
    component Segment: Item {
        id: segment
        required property int index
        property alias text: label.text
        readonly property bool selected: root.currentIndex === index
        implicitWidth: Math.max(88, label.implicitWidth + 28)
        implicitHeight: 22
        activeFocusOnTab: true
        Accessible.role: Accessible.PageTab
        Accessible.name: text
        Accessible.selected: selected
        Keys.onSpacePressed: root.picked(index)
        Rectangle {
            anchors.fill: parent
            radius: 5
            visible: segment.selected
            color: AppTheme.dark ? AppTheme.wash(1) : "white"
            border.width: 0.5
            border.color: AppTheme.shade(0.12)
        }
        Text {
            id: label
            anchors.centerIn: parent
            textFormat: Text.PlainText
            color: AppTheme.ink
            font: AppTypography.font(12, segment.selected ? Font.Medium : Font.Normal, "default", AppTypography.usesEnglish)
        }
        MouseArea {
            anchors.fill: parent
            onClicked: root.picked(segment.index)
        }
    }

    Rectangle {
        anchors.fill: parent
        radius: 7
        color: AppTheme.shade(0.07)
    }
    RowLayout {
        id: segments
        anchors.centerIn: parent
        spacing: 0
        Segment { objectName: "languageSystem"; index: 0; text: Tr.text("跟随系统", "Follow System") }
        Segment { objectName: "languageChinese"; index: 1; text: Tr.text("中文", "Chinese") }
        Segment { objectName: "languageEnglish"; index: 2; text: Tr.text("英文", "English") }
    }
}
