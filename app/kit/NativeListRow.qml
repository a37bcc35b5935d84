import QtQuick
import QtQuick.Layouts

// The padded glass row of lists: cells side by side, 14 from the left and right edges, at least
// 46 high, on a glass card with 18 corners. As a list's delegate the card is as wide as its
// cells (the whole list width when a cell fills the width) and centred in the list.
Item {
    id: root
    default property alias content: cells.data
    property alias spacing: cells.spacing
    // Space above and below the cells (result rows use 8).
    property real verticalPadding: 0
    readonly property real listWidth: ListView.view ? ListView.view.width : 0

    implicitWidth: cells.implicitWidth + 28
    implicitHeight: Math.max(46, cells.implicitHeight + 2 * verticalPadding)

    Binding on width {
        when: root.ListView.view !== null
        value: Math.min(root.listWidth, cells.Layout.maximumWidth + 28)
    }
    Binding on x {
        when: root.ListView.view !== null
        value: Math.max(0, (root.listWidth - root.width) / 2)
    }

    // The cells' sizes as soon as they are made, not at the next polish: a list then places the
    // row at its own height from the start, and makes no rows for space it does not fill.
    Component.onCompleted: cells.ensurePolished()

    LiquidGlassSurface {
        anchors.fill: parent
        cornerRadius: 18
    }
    RowLayout {
        id: cells
        x: 14
        width: Math.max(0, root.width - 28)
        anchors.verticalCenter: parent.verticalCenter
        spacing: 8
    }
}
