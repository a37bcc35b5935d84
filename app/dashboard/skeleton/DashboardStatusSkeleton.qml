import QtQuick
import QtQuick.Layouts
import QtQuick.Shapes
import Roror.App
import Roror.Kit

// What the Overview shows before its first snapshot: the page's shape in pulsing grey blocks.
ColumnLayout {
    id: skeleton
    required property DashboardPage page
    required property int columns
    spacing: 14

    RowLayout {
        Layout.fillWidth: true
        spacing: 14
        Item {
            Layout.preferredWidth: 72
            Layout.preferredHeight: 72
            Shape {
                anchors.fill: parent
                ShapePath {
                    strokeColor: AppTheme.shade(0.25 * 0.22)
                    strokeWidth: 6
                    fillColor: "transparent"
                    PathAngleArc { centerX: 36; centerY: 36; radiusX: 33; radiusY: 33; startAngle: 0; sweepAngle: 360 }
                }
            }
            SkeletonBlock {
                anchors.centerIn: parent
                width: 28
                height: 14
            }
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 8
            RowLayout {
                spacing: 8
                SkeletonBlock { Layout.preferredWidth: 80; Layout.preferredHeight: 18 }
                SkeletonBlock { Layout.preferredWidth: 56; Layout.preferredHeight: 20; cornerRadius: 10 }
            }
            SkeletonBlock { Layout.preferredWidth: 180; Layout.preferredHeight: 12 }
        }
    }
    Rectangle { Layout.fillWidth: true; Layout.preferredHeight: 1; color: AppTheme.line; opacity: 0.28 }
    RowLayout {
        Layout.fillWidth: true
        spacing: 8
        SkeletonBlock { Layout.preferredWidth: 88; Layout.preferredHeight: 22; cornerRadius: 11 }
        SkeletonBlock { Layout.preferredWidth: 100; Layout.preferredHeight: 22; cornerRadius: 11 }
        Item { Layout.fillWidth: true }
        SkeletonBlock { Layout.preferredWidth: 200; Layout.preferredHeight: 10 }
    }
    Rectangle { Layout.fillWidth: true; Layout.preferredHeight: 1; color: AppTheme.line; opacity: 0.28 }
    GridLayout {
        objectName: "skeletonGrid"
        Layout.fillWidth: true
        columns: skeleton.columns
        columnSpacing: 12
        rowSpacing: 12
        Repeater {
            model: skeleton.page.skeletonCards
            SkeletonStatusCard {
                required property skeletonStatusCard modelData
                objectName: "skeletonCard"
                Layout.fillWidth: true
                Layout.fillHeight: true
                Layout.preferredWidth: 1
                Layout.alignment: Qt.AlignTop
                kind: modelData
            }
        }
    }
    Rectangle { Layout.fillWidth: true; Layout.preferredHeight: 1; color: AppTheme.line }
    RowLayout {
        Layout.fillWidth: true
        spacing: 8
        SymbolImage {
            systemName: "clock"
            size: 13
            color: AppTheme.muted
        }
        Text {
            objectName: "skeletonStatus"
            text: skeleton.page.skeletonStatusText
            textFormat: Text.PlainText
            font: AppTypography.font(13, Font.Normal, "default", AppTypography.usesEnglish)
            color: AppTheme.muted
        }
        SkeletonBlock { Layout.preferredWidth: 120; Layout.preferredHeight: 13 }
        Item { Layout.fillWidth: true }
    }
}
