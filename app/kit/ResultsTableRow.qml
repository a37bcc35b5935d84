// One result row: a list row whose cells sit 8 from its top and bottom edges.
NativeListRow {
    verticalPadding: 8
}
