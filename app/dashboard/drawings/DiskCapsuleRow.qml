import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// One volume: name and fill, file system and device, the fill bar, used/total/free.
ColumnLayout {
    id: row
    required property diskItem item
    readonly property color tone: AppTheme[item.tone]
    // Held apart from the volume's values, so that a refresh that moves nothing visibly starts no
    // animation (and draws no frames).
    readonly property real fillWidth: Math.round(item.fillWidth(bar.width))
    spacing: 6

    RowLayout {
        Layout.fillWidth: true
        spacing: 6
        SymbolImage {
            systemName: row.item.isExternal ? "externaldrive" : "internaldrive"
            size: 10
            weight: Font.DemiBold
            color: AppTheme.muted
        }
        Text {
            objectName: "diskName"
            Layout.fillWidth: true
            // Whole pixels: the layout rounds a width down, which would cut a name that fits.
            Layout.maximumWidth: Math.ceil(implicitWidth)
            text: row.item.name
            textFormat: Text.PlainText
            elide: Text.ElideMiddle
            maximumLineCount: 1
            font: AppTypography.font(11.5, Font.DemiBold, "default", AppTypography.usesEnglish)
            color: AppTheme.ink
        }
        Rectangle {
            visible: row.item.isExternal
            implicitWidth: extText.implicitWidth + 8
            implicitHeight: extText.implicitHeight + 2
            radius: 4
            color: Qt.rgba(AppTheme.line.r, AppTheme.line.g, AppTheme.line.b, AppTheme.line.a * 0.25)
            Text {
                id: extText
                anchors.centerIn: parent
                text: Tr.text("外接", "Ext")
                font: AppTypography.font(9, Font.Bold, "default", AppTypography.usesEnglish)
                color: AppTheme.muted
            }
        }
        Item { Layout.fillWidth: true; Layout.minimumWidth: 6 }
        Text {
            visible: row.item.hasPercent
            text: row.item.percentText
            textFormat: Text.PlainText
            font: AppTypography.font(12, Font.Bold, "rounded", AppTypography.usesEnglish)
            color: row.tone
        }
    }
    RowLayout {
        Layout.fillWidth: true
        visible: row.item.hasDetail
        spacing: 4
        Text {
            Layout.fillWidth: !row.item.showsDevice
            Layout.maximumWidth: Math.ceil(implicitWidth)
            text: row.item.detail
            textFormat: Text.PlainText
            elide: Text.ElideMiddle
            maximumLineCount: 1
            font: AppTypography.font(9.5, Font.Medium, "monospaced", AppTypography.usesEnglish)
            color: AppTheme.quiet
        }
        Text {
            visible: row.item.showsDevice
            text: "·"
            font: AppTypography.font(9.5, Font.Normal, "default", AppTypography.usesEnglish)
            color: AppTheme.quiet
            opacity: 0.6
        }
        Text {
            Layout.fillWidth: true
            visible: row.item.showsDevice
            text: row.item.deviceText
            textFormat: Text.PlainText
            elide: Text.ElideLeft
            maximumLineCount: 1
            font: AppTypography.font(9.5, Font.Normal, "monospaced", AppTypography.usesEnglish)
            color: AppTheme.quiet
            opacity: 0.7
        }
        Item { Layout.fillWidth: !row.item.showsDevice }
    }
    Item {
        id: bar
        Layout.fillWidth: true
        Layout.preferredHeight: 8
        Rectangle {
            anchors.fill: parent
            radius: height / 2
            color: AppTheme.line
            opacity: 0.22
        }
        Rectangle {
            objectName: "diskFill"
            height: parent.height
            width: row.fillWidth
            radius: height / 2
            gradient: Gradient {
                orientation: Gradient.Horizontal
                GradientStop { position: 0; color: Qt.rgba(row.tone.r, row.tone.g, row.tone.b, 0.65) }
                GradientStop { position: 1; color: Qt.rgba(row.tone.r, row.tone.g, row.tone.b, 0.95) }
            }
            Behavior on width { enabled: bar.visible; NumberAnimation { duration: 550; easing.type: Easing.InOutQuad } }
        }
    }
    // Used at the leading edge, Free at the trailing edge, Total centred between them; where the
    // three do not fit, they are drawn down to four fifths of their size, and below that each
    // gives up width in proportion and cuts its figure at the end.
    Item {
        id: figures
        readonly property real gaps: row.item.hasTotal ? 2 * (6 + 4 + 6) : 6 + 4 + 6
        readonly property real wanted: used.fullWidth + free.fullWidth + (row.item.hasTotal ? total.fullWidth : 0)
        readonly property real share: wanted > 0 ? Math.min(1, Math.max(0, width - gaps) / wanted) : 1
        readonly property real fontScale: Math.max(0.8, share)
        Layout.fillWidth: true
        implicitHeight: Math.max(used.implicitHeight, free.implicitHeight)
        DiskFigure {
            id: used
            fontScale: figures.fontScale
            width: figures.share >= 0.8 ? used.implicitWidth : used.fullWidth * figures.share
            label: Tr.text("已用", "Used")
            value: row.item.usedText
            emphasized: true
        }
        DiskFigure {
            id: total
            fontScale: figures.fontScale
            visible: row.item.hasTotal
            width: figures.share >= 0.8 ? total.implicitWidth : total.fullWidth * figures.share
            x: (used.width + figures.width - free.width - width) / 2
            label: Tr.text("总量", "Total")
            value: row.item.totalText
            emphasized: false
        }
        DiskFigure {
            id: free
            fontScale: figures.fontScale
            width: figures.share >= 0.8 ? free.implicitWidth : free.fullWidth * figures.share
            x: figures.width - width
            label: Tr.text("空闲", "Free")
            value: row.item.freeText
            emphasized: true
        }
    }
}
