import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// Column titles of the installer table: name (or chosen files), source 120, type 110, size 92.
ResultsTableHeader {
    id: root
    property bool selectionMode: false
    spacing: 0

    ResultsHeaderText {
        objectName: "installerNameColumn"
        Layout.fillWidth: true
        text: root.selectionMode ? Tr.text("已选文件", "Selected Files") : Tr.text("名称", "Name")
    }
    ResultsHeaderText {
        Layout.preferredWidth: 120
        text: Tr.text("来源", "Source")
    }
    ResultsHeaderText {
        Layout.preferredWidth: 110
        text: Tr.text("种类", "Type")
    }
    ResultsHeaderText {
        Layout.preferredWidth: 92
        horizontalAlignment: Text.AlignRight
        text: Tr.text("大小", "Size")
    }
}
