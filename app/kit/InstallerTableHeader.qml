import QtQuick
import QtQuick.Layouts
import Roror.App

// Column titles of the installer table: name (or chosen files), source 120, type 110, size 92.
ResultsTableHeader {
    id: root
    property bool selectionMode: false
    spacing: 0

    ResultsHeaderText {
        objectName: "installerNameColumn"
        Layout.fillWidth: true
        text: root.selectionMode ? (Loc.chinese ? "已选文件" : "Selected Files") : (Loc.chinese ? "名称" : "Name")
    }
    ResultsHeaderText {
        Layout.preferredWidth: 120
        text: Loc.chinese ? "来源" : "Source"
    }
    ResultsHeaderText {
        Layout.preferredWidth: 110
        text: Loc.chinese ? "种类" : "Type"
    }
    ResultsHeaderText {
        Layout.preferredWidth: 92
        horizontalAlignment: Text.AlignRight
        text: Loc.chinese ? "大小" : "Size"
    }
}
