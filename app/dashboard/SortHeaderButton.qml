import QtQuick

// A column title that chooses the sort; the arrow shows on the chosen one and always points down.
Item {
    id: button
    property string title
    property bool isSelected
    signal clicked()
    implicitWidth: 86
    implicitHeight: label.implicitHeight
    readonly property color tone: isSelected ? DashTheme.accent : DashTheme.muted

    Row {
        id: label
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: 4
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: button.title
            font.family: DashTheme.sans
            font.pixelSize: 12
            font.weight: Font.DemiBold
            color: button.tone
        }
        DashSymbol {
            objectName: "sortArrow"
            anchors.verticalCenter: parent.verticalCenter
            name: "arrow.down"
            size: 10
            color: button.tone
            opacity: button.isSelected ? 1 : 0
        }
    }
    TapHandler {
        onTapped: button.clicked()
    }
}
