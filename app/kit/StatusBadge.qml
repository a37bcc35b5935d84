import QtQuick
import QtQuick.Layouts
import Roror.App

// A small capsule: icon and word in `color`, on a fill of that colour at 14 % with a border at 22 %.
Item {
    id: root
    property string text
    property color color: AppTheme.accent
    property string systemImage

    implicitWidth: row.implicitWidth + 20
    implicitHeight: row.implicitHeight + 12
    Accessible.role: Accessible.StaticText
    Accessible.name: text

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: AppTheme.faded(root.color, 0.14)
        border.width: 0.6
        border.color: AppTheme.faded(root.color, 0.22)
    }
    RowLayout {
        id: row
        anchors.centerIn: parent
        spacing: 5
        SymbolImage {
            visible: root.systemImage.length > 0
            systemName: root.systemImage
            size: 12
            weight: Font.DemiBold
            color: root.color
        }
        Text {
            objectName: "statusBadgeText"
            text: root.text
            textFormat: Text.PlainText
            color: root.color
            font: AppTypography.font(12, Font.DemiBold, "default", AppTypography.usesEnglish)
        }
    }
}
