import QtQuick
import QtQuick.Layouts

// The column-heading row above a result list: cells inset 12 left and right, 8 above the list
// area. Heading cells are ResultsHeaderText (12 semibold, muted) unless a cell sets its own.
Item {
    id: root
    default property alias content: cells.data
    property alias spacing: cells.spacing

    implicitWidth: cells.implicitWidth + 24
    implicitHeight: cells.implicitHeight + 8

    RowLayout {
        id: cells
        objectName: "resultsHeaderCells"
        x: 12
        width: Math.max(0, root.width - 24)
        spacing: 0
    }
}
