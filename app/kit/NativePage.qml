import QtQuick
// The controls style (Fusion on this desktop) is chosen by the first file that imports
// QtQuick.Controls, and from then on it gives every control its palette. Chosen with the page
// frame, menus and tooltips look the same whichever page is shown first.
import QtQuick.Controls as ControlsStyle
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Roror.App

// The frame of a page: the title block and the page's content in a column at most 980 wide,
// 34 from the leading edge and 30 from the top. With `pageScrolls` the whole column scrolls;
// without it the column fills the height and its content manages its own overflow (children
// that should take the remaining height set Layout.fillHeight). Children stack 20 apart.
Item {
    id: root
    property string title
    property string subtitle
    property bool pageScrolls: false
    default property alias content: stack.data
    // The page's scrolling area (it scrolls only with `pageScrolls`).
    readonly property alias viewport: scroller
    // W = max(0, min(980, available width - 68)).
    readonly property real columnWidth: Math.max(0, Math.min(980, width - 68))
    // The stretch of the column in sight, in the column's coordinates: what lies outside it may
    // change without animating, as nobody sees it move.
    readonly property real visibleTop: scroller.contentY - stack.y
    readonly property real visibleBottom: visibleTop + scroller.height

    Flickable {
        id: scroller
        objectName: "nativePageScroller"
        anchors.fill: parent
        interactive: root.pageScrolls
        clip: root.pageScrolls
        activeFocusOnTab: root.pageScrolls
        contentWidth: width
        contentHeight: root.pageScrolls ? stack.height + 60 : height
        boundsBehavior: Flickable.StopAtBounds
        flickableDirection: Flickable.VerticalFlick
        ScrollBar.vertical: ScrollBar {
            policy: root.pageScrolls ? ScrollBar.AsNeeded : ScrollBar.AlwaysOff
        }

        ColumnLayout {
            id: stack
            objectName: "nativePageStack"
            x: 34
            y: 30
            width: root.columnWidth
            // Without scrolling the column takes the page's height only as far as its content
            // can grow, so a page without a filling child keeps its content at the top.
            height: root.pageScrolls ? implicitHeight : Math.max(0, Math.min(scroller.height - 60, Layout.maximumHeight))
            spacing: 20

            SectionTitle {
                objectName: "pageTitle"
                Layout.fillWidth: true
                title: root.title
                subtitle: root.subtitle
            }
        }
    }
    KeyboardScroller {
        target: root.pageScrolls ? scroller : null
    }
    FocusMark {
        control: scroller
        outset: -3
        controlRadius: 12
    }
}
