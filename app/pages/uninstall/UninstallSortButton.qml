import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// A column heading that sorts: its title and, while active, a chevron for the direction; accent
// while active, muted otherwise.
Item {
    id: root
    property string title
    property bool active: false
    property bool descending: false
    // Aligned to the column's trailing edge (the size column).
    property bool trailing: false
    readonly property color foreground: active ? AppTheme.accent : AppTheme.muted
    signal clicked()

    implicitWidth: label.implicitWidth
    implicitHeight: label.implicitHeight
    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: title
    Accessible.onPressAction: root.clicked()
    Keys.onSpacePressed: root.clicked()
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()

    FocusMark {
        outset: 3
        controlRadius: 4
    }

    RowLayout {
        id: label
        anchors.verticalCenter: parent.verticalCenter
        x: root.trailing ? root.width - width : 0
        spacing: 4
        Text {
            objectName: "sortButtonTitle"
            text: root.title
            textFormat: Text.PlainText
            color: root.foreground
            font: AppTypography.font(12, Font.DemiBold, "default", AppTypography.usesEnglish)
        }
        SymbolImage {
            objectName: "sortButtonChevron"
            visible: root.active
            systemName: root.descending ? "chevron.down" : "chevron.up"
            size: 9
            weight: Font.Bold
            color: root.foreground
        }
    }
    MouseArea {
        anchors.fill: parent
        onClicked: root.clicked()
    }
}
