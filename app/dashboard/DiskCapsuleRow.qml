import QtQuick
import QtQuick.Layouts
import Roror.App

// One volume: name and fill, file system and device, the fill bar, used/total/free.
ColumnLayout {
    id: row
    required property diskItem item
    readonly property color tone: DashTheme[item.tone]
    spacing: 6

    RowLayout {
        Layout.fillWidth: true
        spacing: 6
        DashSymbol {
            name: row.item.isExternal ? "externaldrive" : "internaldrive"
            size: 11
            color: DashTheme.muted
        }
        Text {
            objectName: "diskName"
            Layout.fillWidth: true
            Layout.maximumWidth: implicitWidth
            text: row.item.name
            textFormat: Text.PlainText
            elide: Text.ElideMiddle
            maximumLineCount: 1
            font.family: DashTheme.sans
            font.pixelSize: 12
            font.weight: Font.DemiBold
            color: DashTheme.ink
        }
        Rectangle {
            visible: row.item.isExternal
            implicitWidth: extText.implicitWidth + 8
            implicitHeight: extText.implicitHeight + 2
            radius: 4
            color: Qt.rgba(DashTheme.line.r, DashTheme.line.g, DashTheme.line.b, DashTheme.line.a * 0.25)
            Text {
                id: extText
                anchors.centerIn: parent
                text: Loc.chinese ? "外接" : "Ext"
                font.family: DashTheme.sans
                font.pixelSize: 9
                font.weight: Font.Bold
                color: DashTheme.muted
            }
        }
        Item { Layout.fillWidth: true; Layout.minimumWidth: 6 }
        Text {
            visible: row.item.hasPercent
            text: row.item.percentText
            textFormat: Text.PlainText
            font.family: DashTheme.rounded
            font.pixelSize: 12
            font.weight: Font.Bold
            color: row.tone
        }
    }
    RowLayout {
        Layout.fillWidth: true
        visible: row.item.hasDetail
        spacing: 4
        Text {
            Layout.fillWidth: !row.item.showsDevice
            Layout.maximumWidth: implicitWidth
            text: row.item.detail
            textFormat: Text.PlainText
            elide: Text.ElideMiddle
            maximumLineCount: 1
            font.family: DashTheme.mono
            font.pixelSize: 10
            font.weight: Font.Medium
            color: DashTheme.quiet
        }
        Text {
            visible: row.item.showsDevice
            text: "·"
            font.family: DashTheme.sans
            font.pixelSize: 10
            color: DashTheme.quiet
            opacity: 0.6
        }
        Text {
            Layout.fillWidth: true
            visible: row.item.showsDevice
            text: row.item.deviceText
            textFormat: Text.PlainText
            elide: Text.ElideLeft
            maximumLineCount: 1
            font.family: DashTheme.mono
            font.pixelSize: 10
            color: DashTheme.quiet
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
            color: DashTheme.line
            opacity: 0.22
        }
        Rectangle {
            objectName: "diskFill"
            height: parent.height
            width: row.item.fillWidth(bar.width)
            radius: height / 2
            gradient: Gradient {
                orientation: Gradient.Horizontal
                GradientStop { position: 0; color: Qt.rgba(row.tone.r, row.tone.g, row.tone.b, 0.65) }
                GradientStop { position: 1; color: Qt.rgba(row.tone.r, row.tone.g, row.tone.b, 0.95) }
            }
            Behavior on width { enabled: bar.visible; NumberAnimation { duration: 550; easing.type: Easing.InOutQuad } }
        }
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: 6
        DiskFigure {
            label: Loc.chinese ? "已用" : "Used"
            value: row.item.usedText
            emphasized: true
        }
        Item { Layout.fillWidth: true; Layout.minimumWidth: 4 }
        DiskFigure {
            visible: row.item.hasTotal
            label: Loc.chinese ? "总量" : "Total"
            value: row.item.totalText
            emphasized: false
        }
        Item { Layout.fillWidth: true; Layout.minimumWidth: 4; visible: row.item.hasTotal }
        DiskFigure {
            label: Loc.chinese ? "空闲" : "Free"
            value: row.item.freeText
            emphasized: true
        }
    }
}
