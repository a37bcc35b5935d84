import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// One installer file: the box (while choosing) or the package symbol, name and path, then its
// source, type and size.
ResultsTableRow {
    id: row
    required property InstallerPage page
    required property string path
    required property string name
    required property string source
    required property string kind
    required property string sizeText
    required property bool selected
    objectName: "installerRow"
    spacing: 0

    // Box or symbol, then name over path, positioned by hand: the row itself is the only layout.
    Item {
        id: nameCell
        readonly property real gap: 12
        Layout.fillWidth: true
        implicitHeight: Math.max(22, texts.implicitHeight)
        SelectionCheckbox {
            objectName: "installerRowBox"
            visible: row.page.isSelectingInstallers
            anchors.verticalCenter: parent.verticalCenter
            checked: row.selected
            onToggled: checked => row.page.setSelected(row.path, checked)
        }
        SymbolImage {
            visible: !row.page.isSelectingInstallers
            width: 22
            anchors.verticalCenter: parent.verticalCenter
            systemName: "shippingbox"
            size: 14
            color: AppTheme.accent
        }
        Column {
            id: texts
            x: (row.page.isSelectingInstallers ? 16 : 22) + 10
            // A shortened name stops short of the source column instead of running into it.
            width: Math.max(0, nameCell.width - x - nameCell.gap)
            anchors.verticalCenter: parent.verticalCenter
            spacing: 2
            Text {
                objectName: "installerRowName"
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
    Text {
        objectName: "installerRowSource"
        Layout.preferredWidth: 120
        Layout.minimumWidth: 120
        text: row.source
        textFormat: Text.PlainText
        elide: Text.ElideRight
        maximumLineCount: 1
        color: AppTheme.muted
        font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
    }
    Text {
        objectName: "installerRowKind"
        Layout.preferredWidth: 110
        Layout.minimumWidth: 110
        text: row.kind
        textFormat: Text.PlainText
        elide: Text.ElideRight
        maximumLineCount: 1
        color: AppTheme.muted
        font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
    }
    Text {
        Layout.preferredWidth: 92
        Layout.minimumWidth: 92
        horizontalAlignment: Text.AlignRight
        text: row.sizeText
        textFormat: Text.PlainText
        color: AppTheme.ink
        font: AppTypography.font(12, Font.DemiBold, "monospaced", AppTypography.usesEnglish)
    }
}
