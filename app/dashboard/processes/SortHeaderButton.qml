import QtQuick
import Roror.App
import Roror.Kit

// A column title that chooses the sort; the arrow shows on the chosen one and always points down.
Item {
    id: button
    property string title
    property bool isSelected
    signal clicked()
    implicitWidth: 86
    implicitHeight: label.implicitHeight
    readonly property color tone: isSelected ? AppTheme.accent : AppTheme.muted
    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: title
    Accessible.onPressAction: button.clicked()
    Keys.onSpacePressed: button.clicked()
    Keys.onReturnPressed: button.clicked()
    Keys.onEnterPressed: button.clicked()

    FocusMark {
        outset: 2
        controlRadius: 4
    }

    Row {
        id: label
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: 4
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: button.title
            font: AppTypography.font(12, Font.DemiBold, "default", AppTypography.usesEnglish)
            color: button.tone
        }
        SymbolImage {
            objectName: "sortArrow"
            anchors.verticalCenter: parent.verticalCenter
            systemName: "arrow.down"
            size: 9
            weight: Font.Bold
            color: button.tone
            opacity: button.isSelected ? 1 : 0
        }
    }
    TapHandler {
        onTapped: button.clicked()
    }
}
