import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// One app: the box (while choosing), its icon, name and path, last use, source and sizes.
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

    RowLayout {
        Layout.fillWidth: true
        spacing: 10
        Item {
            visible: row.page.isSelectingApps
            Layout.preferredWidth: 28
            Layout.minimumWidth: 28
            implicitHeight: box.implicitHeight
            SelectionCheckbox {
                id: box
                objectName: "uninstallRowBox"
                anchors.centerIn: parent
                checked: row.selected
                onToggled: checked => row.page.setSelected(row.path, checked)
            }
        }
        UninstallAppIcon {
            source: row.iconSource
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 3
            Text {
                objectName: "uninstallRowName"
                Layout.fillWidth: true
                text: row.name
                textFormat: Text.PlainText
                elide: Text.ElideMiddle
                maximumLineCount: 1
                color: AppTheme.ink
                font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
            }
            Text {
                Layout.fillWidth: true
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
