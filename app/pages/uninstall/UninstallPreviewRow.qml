pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// One app: the box (while choosing), its icon, name and path, last use, source and sizes. The
// cells inside use plain positioning (the row itself is the only layout), so a table of hundreds
// of apps builds its rows quickly.
ResultsTableRow {
    id: row
    required property UninstallPage page
    required property string name
    required property string path
    required property string source
    required property string lastOpenedText
    required property string appSizeText
    required property string leftoverSizeText
    required property string iconSource
    required property bool selected
    objectName: "uninstallRow"
    spacing: 0

    Item {
        id: appCell
        Layout.fillWidth: true
        implicitHeight: Math.max(24, texts.implicitHeight)
        readonly property real boxWidth: row.page.isSelectingApps ? 28 + 10 : 0

        // The box is made the first time the page chooses apps: most tables never show it.
        property SelectionCheckbox box: null
        readonly property bool selecting: row.page.isSelectingApps
        onSelectingChanged: makeBox()
        Component.onCompleted: makeBox()
        function makeBox() {
            if (!appCell.selecting || appCell.box !== null)
                return;
            appCell.box = boxMaker.createObject(appCell);
            appCell.box.toggled.connect(checked => row.page.setSelected(row.path, checked));
        }
        Component {
            id: boxMaker
            SelectionCheckbox {
                objectName: "uninstallRowBox"
                visible: row.page.isSelectingApps
                checked: row.selected
                x: (28 - width) / 2
                anchors.verticalCenter: parent.verticalCenter
            }
        }
        UninstallAppIcon {
            id: icon
            x: appCell.boxWidth
            anchors.verticalCenter: parent.verticalCenter
            source: row.iconSource
        }
        Column {
            id: texts
            x: icon.x + icon.width + 10
            width: Math.max(0, appCell.width - x)
            anchors.verticalCenter: parent.verticalCenter
            spacing: 3
            Text {
                objectName: "uninstallRowName"
                width: parent.width
                text: row.name
                textFormat: Text.PlainText
                elide: Text.ElideMiddle
                maximumLineCount: 1
                color: AppTheme.ink
                font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
            }
            Text {
                width: parent.width
                text: row.path
                textFormat: Text.PlainText
                elide: Text.ElideMiddle
                maximumLineCount: 1
                color: AppTheme.muted
                font: AppTypography.font(11, Font.Normal, "default", AppTypography.usesEnglish)
            }
        }
    }
    Item {
        Layout.preferredWidth: 16
        Layout.minimumWidth: 16
    }
    Text {
        objectName: "uninstallRowLastOpened"
        Layout.preferredWidth: 108
        Layout.minimumWidth: 108
        text: row.lastOpenedText
        textFormat: Text.PlainText
        elide: Text.ElideRight
        maximumLineCount: 1
        color: AppTheme.muted
        font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
    }
    Text {
        Layout.preferredWidth: 100
        Layout.minimumWidth: 100
        text: row.source
        textFormat: Text.PlainText
        elide: Text.ElideRight
        maximumLineCount: 1
        color: AppTheme.muted
        font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
    }
    UninstallSizeColumn {
        Layout.preferredWidth: 150
        Layout.minimumWidth: 150
        appSizeText: row.appSizeText
        leftoverSizeText: row.leftoverSizeText
    }
}
