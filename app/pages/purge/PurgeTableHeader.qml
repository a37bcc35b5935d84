import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// Column titles of the project table: name, type 92, size 82, and an empty 88 over the rows'
// action buttons.
ResultsTableHeader {
    spacing: 12

    ResultsHeaderText {
        Layout.fillWidth: true
        text: Tr.text("名称", "Name")
    }
    ResultsHeaderText {
        Layout.preferredWidth: 92
        text: Tr.text("类型", "Type")
    }
    ResultsHeaderText {
        Layout.preferredWidth: 82
        horizontalAlignment: Text.AlignRight
        text: Tr.text("大小", "Size")
    }
    Item {
        Layout.preferredWidth: 88
    }
}
