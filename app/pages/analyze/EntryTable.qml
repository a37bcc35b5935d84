pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// One list of the analysis (the first rows the page allows, in report order) in a results section
// at most 360 high; longer lists scroll inside it.
ScrollableResultsSection {
    id: root
    required property AnalyzePage page
    required property RecordListModelBase rows
    // An AnalyzePage.Table value: which list the rows' actions act on.
    required property int table

    readonly property real listHeight: root.listView.contentHeight + root.listView.topMargin + root.listView.bottomMargin
    Layout.fillHeight: false
    Layout.preferredHeight: Math.min(360, headingHeight + listHeight + 52)
    readonly property real headingHeight: 24

    glass: true
    listSpacing: 8
    model: root.rows
    delegate: EntryRow {
        page: root.page
        table: root.table
    }
}
