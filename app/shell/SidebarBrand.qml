import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The application mark with the product word and the tagline.
RowLayout {
    id: root
    spacing: 14

    Item {
        objectName: "brandMark"
        Layout.preferredWidth: 40
        Layout.preferredHeight: 40

        // A soft shadow under the mark, falling 4 below it.
        Repeater {
            model: 3
            Rectangle {
                required property int index
                x: -(index + 1) * 1.5
                y: 4 - (index + 1) * 1.5
                width: 40 + (index + 1) * 3
                height: 40 + (index + 1) * 3
                radius: 12 + (index + 1) * 1.5
                color: Qt.rgba(0, 0, 0, 0.035)
            }
        }
        RororMark {
            anchors.fill: parent
        }
    }

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 3

        Text {
            objectName: "brandName"
            text: "Roror"
            color: AppTheme.ink
            font: AppTypography.font(20, Font.DemiBold, AppTypography.usesEnglish ? "serif" : "default", AppTypography.usesEnglish)
        }
        Text {
            objectName: "brandTagline"
            Layout.fillWidth: true
            text: Tr.text("Mac 清理与优化", "Mac Cleanup & Optimization")
            color: AppTheme.muted
            font: AppTypography.font(AppTypography.usesEnglish ? 11 : 12, Font.Medium,
                                     AppTypography.usesEnglish ? "rounded" : "default", AppTypography.usesEnglish)
            maximumLineCount: 1
            elide: Text.ElideRight
            fontSizeMode: Text.HorizontalFit
            minimumPointSize: Math.max(1, font.pointSize * 0.82)
            minimumPixelSize: Math.max(1, Math.floor(font.pixelSize * 0.82))
        }
    }
}
