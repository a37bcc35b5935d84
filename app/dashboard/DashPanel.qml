import QtQuick

// A glass card holding its content with an inner padding (14 compact, else 20).
Item {
    id: panel
    default property alias content: holder.data
    property real cornerRadius: 22
    property bool compact: true
    readonly property real padding: compact ? 14 : 20
    implicitHeight: holder.childrenRect.height + 2 * padding

    DashGlass {
        anchors.fill: parent
        radius: panel.cornerRadius
    }
    Item {
        id: holder
        x: panel.padding
        y: panel.padding
        width: panel.width - 2 * panel.padding
        height: panel.height - 2 * panel.padding
    }
}
