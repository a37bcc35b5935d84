import QtQuick
import QtQuick.Layouts
import QtQuick.Controls.Basic
import Roror.App

// One process: name and path, pid, CPU and memory shares, the hover quit button and a context menu.
Item {
    id: row
    required property DashboardPage page
    required property int index
    required property string rowKey
    required property string name
    required property string detail
    required property string pidText
    required property string cpuText
    required property string memoryText
    required property string cpuTone
    required property string memoryTone
    required property bool cpuKnown
    required property bool memoryKnown
    required property bool canTerminate
    readonly property bool isHovered: hover.hovered
    implicitHeight: Math.max(46, cells.implicitHeight + 16)

    DashGlass {
        anchors.fill: parent
        radius: 18
    }
    HoverHandler {
        id: hover
    }
    TapHandler {
        acceptedButtons: Qt.RightButton
        onTapped: menu.popup()
    }
    RowLayout {
        id: cells
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        anchors.verticalCenter: parent.verticalCenter
        spacing: 12
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 3
            Text {
                objectName: "processName"
                Layout.fillWidth: true
                text: row.name
                textFormat: Text.PlainText
                elide: Text.ElideRight
                maximumLineCount: 1
                font.family: DashTheme.sans
                font.pixelSize: 13
                font.weight: Font.DemiBold
                color: DashTheme.ink
            }
            Text {
                objectName: "processDetail"
                Layout.fillWidth: true
                text: row.detail
                textFormat: Text.PlainText
                elide: Text.ElideMiddle
                maximumLineCount: 1
                font.family: DashTheme.sans
                font.pixelSize: 11
                color: DashTheme.muted
            }
        }
        Text {
            Layout.preferredWidth: 70
            horizontalAlignment: Text.AlignRight
            text: row.pidText
            textFormat: Text.PlainText
            font.family: DashTheme.mono
            font.pixelSize: 12
            font.weight: Font.Medium
            color: DashTheme.muted
        }
        Text {
            objectName: "processCpu"
            Layout.preferredWidth: 86
            horizontalAlignment: Text.AlignRight
            text: row.cpuText
            textFormat: Text.PlainText
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 9
            font.family: DashTheme.mono
            font.pixelSize: 12
            font.weight: Font.DemiBold
            color: DashTheme[row.cpuTone]
        }
        Text {
            objectName: "processMemory"
            Layout.preferredWidth: 86
            horizontalAlignment: Text.AlignRight
            text: row.memoryText
            textFormat: Text.PlainText
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 9
            font.family: DashTheme.mono
            font.pixelSize: 12
            font.weight: Font.DemiBold
            color: DashTheme[row.memoryTone]
        }
        ProcessKillButton {
            objectName: "killButton"
            Layout.preferredWidth: 28
            isVisible: row.isHovered && row.canTerminate
            isEnabled: row.canTerminate
            onTriggered: row.page.quit(row.index)
        }
    }
    Menu {
        id: menu
        MenuItem {
            objectName: "quitItem"
            text: Loc.chinese ? "退出" : "Quit"
            enabled: row.canTerminate
            onTriggered: row.page.quit(row.index)
        }
        MenuItem {
            objectName: "forceQuitItem"
            text: Loc.chinese ? "强制退出…" : "Force Quit…"
            enabled: row.canTerminate
            palette.windowText: DashTheme.danger
            onTriggered: row.page.requestForceQuit(row.index)
        }
        MenuSeparator {}
        MenuItem {
            objectName: "revealItem"
            text: Loc.chinese ? "在 Finder 中显示" : "Show in Finder"
            enabled: menu.visible && row.page.canReveal(row.index)
            onTriggered: row.page.reveal(row.index)
        }
    }
}
