import QtQuick
import QtQuick.Layouts
import Roror.App

// A titled result list: the heading, then one card holding the fixed header row and, below it,
// a list of row cards that scrolls without scroll bars and builds only the rows in view. The
// section fills the height it is given. `model` is a list model (a role per field), `delegate`
// the row (usually a ResultsTableRow), `header` the header row (usually a ResultsTableHeader).
ColumnLayout {
    id: root
    property string title
    // Empty means no subtitle line.
    property string subtitle
    property bool glass: true
    property real listSpacing: 8
    property Component header
    property alias model: list.model
    property alias delegate: list.delegate
    readonly property alias listView: list
    // The scrolling page around the section, if any: rows below its visible area are made when
    // they scroll into view (the first row always, so the list still knows its height).
    property Flickable viewport: null
    readonly property real hiddenBelow: {
        const view = root.viewport;
        if (view === null || !root.visible)
            return 0;
        // Read so that the value follows scrolling and every move of the list on the page.
        const moved = [view.contentY, view.height, root.y, panel.y, list.y, list.height];
        const bottom = list.mapToItem(view.contentItem, 0, list.height).y;
        return Math.max(0, bottom - (view.contentY + view.height));
    }

    spacing: 10
    Layout.fillWidth: true
    Layout.fillHeight: true

    // A positioner, so that its height follows the wrapped texts after every change of width.
    Column {
        objectName: "resultsHeading"
        Layout.fillWidth: true
        spacing: 2
        Text {
            objectName: "resultsTitle"
            width: parent.width
            text: root.title
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            color: AppTheme.ink
            font: AppTypography.font(17, Font.DemiBold, AppTypography.usesEnglish ? "rounded" : "default", AppTypography.usesEnglish)
        }
        Text {
            objectName: "resultsSubtitle"
            width: parent.width
            visible: root.subtitle.length > 0
            text: root.subtitle
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            color: AppTheme.muted
            font: AppTypography.font(13, Font.Normal, AppTypography.usesEnglish ? "rounded" : "default", AppTypography.usesEnglish)
        }
    }
    Panel {
        id: panel
        objectName: "resultsPanel"
        Layout.fillWidth: true
        Layout.fillHeight: true
        glass: root.glass
        cornerRadius: 26
        compact: false

        ColumnLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 12
            Loader {
                objectName: "resultsHeader"
                Layout.fillWidth: true
                active: root.header !== null
                visible: active
                sourceComponent: root.header
            }
            ListView {
                id: list
                objectName: "resultsList"
                Layout.fillWidth: true
                Layout.fillHeight: true
                clip: true
                spacing: root.listSpacing
                topMargin: 8
                bottomMargin: 8
                boundsBehavior: Flickable.StopAtBounds
                activeFocusOnTab: true
                reuseItems: true
                displayMarginEnd: -Math.min(root.hiddenBelow, Math.max(0, list.height - 1))

                KeyboardScroller {
                    target: list
                }
            }
            // Drawn over the list (not in its scrolling content), inside its clipped edges.
            FocusMark {
                parent: list
                control: list
                outset: -2
                controlRadius: 12
            }
        }
    }
}
