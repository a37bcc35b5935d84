import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Dashboard
import Roror.Kit

// The part of the Overview drawn from a report: the health hero and the status cards.
ColumnLayout {
    id: root
    required property DashboardPage page
    // The page's column width: the grid's column count follows it, not the grid's own width, which
    // would re-lay the grid out in the middle of its own layout.
    property real columnWidth: width

    spacing: 20

    Panel {
        objectName: "heroPanel"
        Layout.fillWidth: true
        glass: true
        cornerRadius: 22
        compact: true
        OverviewHeroCard {
            Layout.fillWidth: true
            card: root.page.hero
        }
    }

    GridLayout {
        objectName: "cardGrid"
        Layout.fillWidth: true
        columns: root.page.gridColumns(root.columnWidth)
        columnSpacing: 12
        rowSpacing: 12
        Repeater {
            model: root.page.cards
            StatusDetailCard {
                objectName: "statusCard"
                Layout.fillWidth: true
                Layout.fillHeight: true
                Layout.preferredWidth: 1
                Layout.alignment: Qt.AlignTop
            }
        }
    }
}
