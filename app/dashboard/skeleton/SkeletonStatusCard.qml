import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// A placeholder status card: the card's symbol and title over three grey metric lines.
Item {
    id: card
    required property skeletonStatusCard kind
    implicitHeight: stack.implicitHeight + 20

    LiquidGlassSurface {
        anchors.fill: parent
        cornerRadius: 18
    }
    ColumnLayout {
        id: stack
        x: 14
        y: 10
        width: card.width - 28
        spacing: 12
        Row {
            height: 20
            spacing: 6
            opacity: 0.82
            SymbolImage {
                anchors.verticalCenter: parent.verticalCenter
                systemName: card.kind.systemImage
                size: 14
                weight: Font.DemiBold
                color: AppTheme.ink
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: card.kind.title
                textFormat: Text.PlainText
                font: AppTypography.font(14, Font.DemiBold, "default", AppTypography.usesEnglish)
                color: AppTheme.ink
            }
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 9
            Repeater {
                model: card.kind.lines
                ColumnLayout {
                    id: line
                    required property skeletonMetricLine modelData
                    Layout.fillWidth: true
                    spacing: 5
                    RowLayout {
                        spacing: 8
                        Item {
                            Layout.preferredWidth: 56
                            Layout.preferredHeight: 11
                            SkeletonBlock {
                                width: line.modelData.labelWidth
                                height: 11
                            }
                        }
                        SkeletonBlock {
                            Layout.preferredWidth: line.modelData.valueWidth
                            Layout.preferredHeight: 11
                        }
                    }
                    SkeletonBlock {
                        objectName: "skeletonBar"
                        Layout.fillWidth: true
                        Layout.preferredHeight: 4
                        visible: line.modelData.showBar
                        cornerRadius: 2
                    }
                }
            }
        }
    }
}
