pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The segmented language choice: follow the system, Chinese, English. `currentIndex` is the
// selected segment; a click emits `picked` with the segment's index. From the keyboard it is one
// stop: the arrows move the focus mark between segments, Space or Return picks the marked one.
Item {
    id: root
    property int currentIndex: 0
    // The segment under the focus mark.
    property int focusIndex: 0
    signal picked(int index)

    implicitWidth: segments.implicitWidth + 4
    implicitHeight: 26
    Accessible.role: Accessible.PageTabList
    activeFocusOnTab: true
    onActiveFocusChanged: if (activeFocus) focusIndex = currentIndex
    Keys.onLeftPressed: focusIndex = Math.max(0, focusIndex - 1)
    Keys.onRightPressed: focusIndex = Math.min(segments.children.length - 1, focusIndex + 1)
    Keys.onSpacePressed: picked(focusIndex)
    Keys.onReturnPressed: picked(focusIndex)
    Keys.onEnterPressed: picked(focusIndex)

    // One segment: its title, highlighted while selected.
    component Segment: Item {
        id: segment
        required property int index
        property alias text: label.text
        readonly property bool selected: root.currentIndex === index
        implicitWidth: Math.max(88, label.implicitWidth + 28)
        implicitHeight: 22
        Accessible.role: Accessible.PageTab
        Accessible.name: text
        Accessible.selected: selected
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
        FocusMark {
            control: segment
            visible: root.activeFocus && root.focusIndex === segment.index
            outset: 1
            controlRadius: 5
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
