import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The contract card of Smart Clean and Optimize, shown before the first preview: what the run looks
// at as tags, a hairline, then its promises as notes in the faintest ink. `name` prefixes the
// object names of the two rows ("<name>Tags", "<name>Notes").
NativeSection {
    id: root
    property string name
    property alias tags: tagFlow.data
    property alias notes: noteRow.data
    glass: true

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 10
        FlowLayout {
            id: tagFlow
            objectName: root.name + "Tags"
            Layout.fillWidth: true
            spacing: 6
        }
        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: AppTheme.faded(AppTheme.line, 0.4)
        }
        RowLayout {
            id: noteRow
            objectName: root.name + "Notes"
            spacing: 16
        }
    }
}
