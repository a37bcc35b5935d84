import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// Four metric tiles above the tables, in as many columns of at least 190 as the width holds.
GridLayout {
    id: root
    required property AnalyzePage page

    columns: Math.max(1, Math.floor((width + columnSpacing) / (190 + columnSpacing)))
    columnSpacing: 14
    rowSpacing: 14

    Panel {
        Layout.fillWidth: true
        Layout.preferredWidth: 1
        glass: true
        cornerRadius: 18
        compact: true
        MetricCard {
            objectName: "scannedTile"
            title: Tr.text("已检查", "Scanned")
            value: root.page.scannedValue
            note: root.page.scannedNote
            symbol: "folder"
        }
    }
    Panel {
        Layout.fillWidth: true
        Layout.preferredWidth: 1
        glass: true
        cornerRadius: 18
        compact: true
        MetricCard {
            objectName: "filesTile"
            title: Tr.text("文件数量", "Files")
            value: root.page.filesValue
            note: Tr.text("本次检查结果", "In this scan")
            symbol: "doc.text.magnifyingglass"
        }
    }
    Panel {
        Layout.fillWidth: true
        Layout.preferredWidth: 1
        glass: true
        cornerRadius: 18
        compact: true
        MetricCard {
            objectName: "topItemsTile"
            title: Tr.text("主要项目", "Top Items")
            value: root.page.topItemsValue
            note: Tr.text("占用靠前的项目", "Largest space users")
            symbol: "list.bullet.rectangle"
        }
    }
    Panel {
        Layout.fillWidth: true
        Layout.preferredWidth: 1
        glass: true
        cornerRadius: 18
        compact: true
        MetricCard {
            objectName: "largeFilesTile"
            title: Tr.text("大文件", "Large Files")
            value: root.page.largeFilesValue
            note: Tr.text("建议重点查看", "Worth checking first")
            symbol: "exclamationmark.magnifyingglass"
        }
    }
}
