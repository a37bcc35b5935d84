import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The process table: a sort header over every process of the snapshot, in the page's order.
ColumnLayout {
    id: list
    required property DashboardPage page
    // Whether the list is in the page's view. Out of sight the view is hidden, so no frame walks,
    // lays out or draws rows that nobody sees, and rows take their new places and figures at once.
    property bool inSight: true
    // Off: rows take their new places and figures at once. On again only once the view has caught
    // up with what changed while it was hidden, so nothing slides in as the list comes into sight.
    property bool animated: true
    property bool rowsShown: true
    onInSightChanged: {
        if (list.inSight) {
            list.rowsShown = true
            processView.forceLayout()
            list.animated = true
        } else {
            list.animated = false
            list.rowsShown = false
        }
    }
    spacing: 0

    RowLayout {
        objectName: "processHeader"
        Layout.fillWidth: true
        Layout.leftMargin: 12
        Layout.rightMargin: 12
        Layout.bottomMargin: 8
        spacing: 12
        Text {
            Layout.fillWidth: true
            text: Tr.text("进程", "Process")
            font: AppTypography.font(12, Font.DemiBold, "default", AppTypography.usesEnglish)
            color: AppTheme.muted
        }
        Text {
            Layout.preferredWidth: 70
            horizontalAlignment: Text.AlignRight
            text: "PID"
            font: AppTypography.font(12, Font.DemiBold, "default", AppTypography.usesEnglish)
            color: AppTheme.muted
        }
        SortHeaderButton {
            objectName: "sortCpu"
            Layout.preferredWidth: 86
            title: "CPU"
            isSelected: list.page.processSort === "cpu"
            onClicked: list.page.processSort = "cpu"
        }
        SortHeaderButton {
            objectName: "sortMemory"
            Layout.preferredWidth: 86
            title: Tr.text("内存", "Memory")
            isSelected: list.page.processSort === "memory"
            onClicked: list.page.processSort = "memory"
        }
        Item { Layout.preferredWidth: 28 }
    }
    Rectangle {
        Layout.fillWidth: true
        Layout.preferredHeight: 1
        color: AppTheme.line
    }
    EmptyState {
        objectName: "processEmptyState"
        Layout.fillWidth: true
        Layout.fillHeight: true
        visible: list.page.processCount === 0
        title: Tr.text("还没有进程数据", "No Process Data Yet")
        subtitle: Tr.text("等待实时状态刷新后会显示进程占用。", "Process usage will appear after live status refreshes.")
        systemImage: "list.bullet.rectangle"
    }
    ListView {
        id: processView
        objectName: "processList"
        Layout.fillWidth: true
        Layout.fillHeight: true
        // The page's count, not the view's own: a hidden view does not update its count.
        visible: list.page.processCount > 0 && list.rowsShown
        clip: true
        spacing: 6
        topMargin: 8
        bottomMargin: 8
        boundsBehavior: Flickable.StopAtBounds
        model: list.page.processes
        // Rows that leave the view wait in a pool for the next ones that come in: a refresh whose
        // order brings other processes into view fills existing rows rather than making new ones.
        reuseItems: true
        // Only the rows in view are made: rows kept ready beyond the edges are walked by every
        // frame of a refresh and moved by every reorder, for a list that is seldom scrolled.
        cacheBuffer: 0
        // The list marks no current row. Otherwise the view's default (empty) highlight chases
        // the first row at 400 px/s whenever a refresh moves it, drawing frames for seconds.
        highlightFollowsCurrentItem: false
        // Rows keep their places under the pointer, so a row's quit button stays over the row
        // the user aimed at; the order catches up when the pointer leaves.
        HoverHandler {
            id: listHover
        }
        Binding {
            target: list.page.processes
            property: "held"
            value: listHover.hovered
        }
        delegate: ProcessUsageRow {
            objectName: "processRow"
            width: ListView.view.width
            page: list.page // qmllint disable unqualified
            animated: list.animated // qmllint disable unqualified
        }
        add: Transition {
            enabled: list.animated
            NumberAnimation { properties: "opacity"; from: 0; to: 1; duration: 250; easing.type: Easing.OutQuad }
            NumberAnimation { properties: "x"; from: 40; to: 0; duration: 250; easing.type: Easing.OutQuad }
        }
        remove: Transition {
            enabled: list.animated
            NumberAnimation { properties: "opacity"; to: 0; duration: 250; easing.type: Easing.OutQuad }
            NumberAnimation { properties: "x"; to: 40; duration: 250; easing.type: Easing.OutQuad }
        }
        move: Transition {
            enabled: list.animated
            NumberAnimation { properties: "y"; duration: 250; easing.type: Easing.OutQuad }
        }
        displaced: Transition {
            enabled: list.animated
            NumberAnimation { properties: "x,y"; duration: 250; easing.type: Easing.OutQuad }
            NumberAnimation { properties: "opacity"; to: 1; duration: 250 }
        }
    }
}
