import QtQuick
import QtQuick.Layouts
import Roror.App

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
        Image {
            anchors.fill: parent
            source: "RororMark.svg"
            sourceSize.width: 80
            sourceSize.height: 80
            smooth: true
            mipmap: true
        }
        Rectangle {
            anchors.fill: parent
            radius: 12
            color: "transparent"
            border.color: Qt.rgba(1, 1, 1, 0.45)
            border.width: 0.8
        }
    }

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 3

        Text {
            objectName: "brandName"
            text: "Roror"
            color: KitStandIn.ink
            font.family: Loc.chinese ? KitStandIn.sans : KitStandIn.serif
            font.pixelSize: 20
            font.weight: Font.DemiBold
        }
        Text {
            objectName: "brandTagline"
            Layout.fillWidth: true
            text: Loc.chinese ? "Mac 清理与优化" : "Mac Cleanup & Optimization"
            color: KitStandIn.muted
            font.family: Loc.chinese ? KitStandIn.sans : KitStandIn.rounded
            font.pixelSize: Loc.chinese ? 12 : 11
            font.weight: Font.Medium
            maximumLineCount: 1
            elide: Text.ElideRight
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: Math.floor(font.pixelSize * 0.82)
        }
    }
}
