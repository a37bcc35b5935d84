import QtQuick

// Children left to right in rows, a new row when the next child would pass the width; `spacing`
// between neighbours and between rows. Rows are top-aligned; the reported width is the widest
// row's right edge, and a child wider than the width stands alone on its row.
Flow {
    flow: Flow.LeftToRight
    spacing: 8
}
