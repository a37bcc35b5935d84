import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The Disk card's drawing: one row per volume, the fullness hint, the read and write rates.
ColumnLayout {
    id: disks
    // Set by the card frame once the drawing is made.
    property diskVisualBody body
    readonly property color hintTone: body.hintIsCritical ? AppTheme.danger : AppTheme.amber
    spacing: 10

    Repeater {
        model: disks.body.diskCount
        DiskCapsuleRow {
            required property int index
            Layout.fillWidth: true
            item: disks.body.disk(index) // qmllint disable unqualified
        }
    }
    Rectangle {
        objectName: "diskFullnessHint"
        Layout.fillWidth: true
        visible: disks.body.showsHint
        implicitHeight: hintRow.implicitHeight + 10
        radius: 8
        color: Qt.rgba(disks.hintTone.r, disks.hintTone.g, disks.hintTone.b, 0.1)
        RowLayout {
            id: hintRow
            anchors.fill: parent
            anchors.leftMargin: 9
            anchors.rightMargin: 9
            spacing: 6
            SymbolImage {
                systemName: "exclamationmark.triangle.fill"
                size: 10
                weight: Font.Bold
                color: disks.hintTone
            }
            Text {
                objectName: "diskFullnessText"
                Layout.fillWidth: true
                text: disks.body.hintIsCritical ? Tr.text("磁盘几乎已满，建议立即清理", "Disk almost full, clean up soon")
                                                : Tr.text("磁盘使用紧张，可以做一次清理", "Disk usage is high, consider a cleanup")
                elide: Text.ElideRight
                maximumLineCount: 1
                font: AppTypography.font(10.5, Font.DemiBold, "default", AppTypography.usesEnglish)
                color: AppTheme.ink
                opacity: 0.9
            }
        }
    }
    Rectangle {
        Layout.fillWidth: true
        Layout.preferredHeight: 1
        visible: disks.body.showsIO
        color: AppTheme.line
        opacity: 0.5
    }
    RowLayout {
        objectName: "diskIOLine"
        Layout.fillWidth: true
        visible: disks.body.showsIO
        spacing: 14
        DiskIOPair {
            label: Tr.text("读", "R")
            rateText: disks.body.readRateText
            systemImage: "arrow.down"
        }
        DiskIOPair {
            label: Tr.text("写", "W")
            rateText: disks.body.writeRateText
            systemImage: "arrow.up"
        }
        Item { Layout.fillWidth: true }
    }
}
