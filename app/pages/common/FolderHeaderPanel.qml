import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The header panel of the pages that work on one folder (Storage Analysis, Project Cleanup): the
// last-run label beside the page's actions, a hairline, then the folder's path (one line, cut in
// the middle) and its chooser. `folderLeading` stands before the path.
Panel {
    id: root
    property string labelName
    property alias systemImage: label.systemImage
    property alias title: label.title
    property alias detail: label.detail
    property alias actions: headerRow.data
    property alias folderLeading: leadingRow.data
    property string path
    property string pathName
    property string chooseName
    property string chooseTitle
    signal choose()

    glass: true
    cornerRadius: 26
    compact: false

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 12
        RowLayout {
            id: headerRow
            Layout.fillWidth: true
            spacing: 16
            PageHeaderLabel {
                id: label
                objectName: root.labelName
                Layout.fillWidth: true
            }
        }
        PageDivider {
            lineOpacity: 0.5
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 10
            RowLayout {
                id: leadingRow
                visible: children.length > 0
                spacing: 10
            }
            Item {
                Layout.fillWidth: true
                implicitHeight: Math.max(30, pathText.implicitHeight + 8)
                LiquidGlassSurface {
                    anchors.fill: parent
                    cornerRadius: 8
                }
                Text {
                    id: pathText
                    objectName: root.pathName
                    anchors.left: parent.left
                    anchors.right: parent.right
                    anchors.leftMargin: 10
                    anchors.rightMargin: 10
                    anchors.verticalCenter: parent.verticalCenter
                    text: root.path
                    textFormat: Text.PlainText
                    elide: Text.ElideMiddle
                    maximumLineCount: 1
                    color: AppTheme.ink
                    font: AppTypography.font(12, Font.Normal, "monospaced", AppTypography.usesEnglish)
                }
            }
            BorderedButton {
                objectName: root.chooseName
                small: true
                title: root.chooseTitle
                systemImage: "folder"
                onClicked: root.choose()
            }
        }
    }
}
