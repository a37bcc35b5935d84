import QtQuick
import QtQuick.Layouts
import QtQuick.Controls.Basic
import Roror.App
import Roror.Kit

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
    required property bool ended
    // Off: changed figures show at once instead of rolling in.
    property bool animated: true
    // Taken from the view's pool: the row's figures belong to another process than before, so they
    // are shown, not rolled in from the old ones.
    property bool pooled: false
    ListView.onPooled: row.pooled = true
    ListView.onReused: row.pooled = false
    readonly property bool isHovered: hover.hovered
    implicitHeight: card.implicitHeight

    HoverHandler {
        id: hover
    }
    TapHandler {
        acceptedButtons: Qt.RightButton
        // Made on demand: a menu in every row would be built again for each row a refresh brings.
        // Opened where the click was (the row is the handler's parent and the menu's).
        onTapped: eventPoint => (menuComponent.createObject(row) as Menu).popup(eventPoint.position.x, eventPoint.position.y)
    }
    NativeListRow {
        id: card
        width: row.width
        height: row.height
        // A process that ended while the rows were held; it leaves when they are released.
        opacity: row.ended ? 0.45 : 1
        spacing: 12
        verticalPadding: 8
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
                color: AppTheme.ink
                font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
            }
            Text {
                objectName: "processDetail"
                Layout.fillWidth: true
                text: row.detail
                textFormat: Text.PlainText
                elide: Text.ElideMiddle
                maximumLineCount: 1
                color: AppTheme.muted
                font: AppTypography.font(11, Font.Normal, "default", AppTypography.usesEnglish)
            }
        }
        Text {
            Layout.preferredWidth: 70
            horizontalAlignment: Text.AlignRight
            text: row.pidText
            textFormat: Text.PlainText
            color: AppTheme.muted
            font: AppTypography.font(12, Font.Medium, "monospaced", AppTypography.usesEnglish)
        }
        NumericText {
            objectName: "processCpu"
            Layout.preferredWidth: 86
            Layout.preferredHeight: implicitHeight
            horizontalAlignment: Text.AlignRight
            text: row.cpuText
            animated: row.animated && !row.pooled
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 9
            color: AppTheme[row.cpuTone]
            font: AppTypography.font(12, Font.DemiBold, "monospaced", AppTypography.usesEnglish)
        }
        NumericText {
            objectName: "processMemory"
            Layout.preferredWidth: 86
            Layout.preferredHeight: implicitHeight
            horizontalAlignment: Text.AlignRight
            text: row.memoryText
            animated: row.animated && !row.pooled
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 9
            color: AppTheme[row.memoryTone]
            font: AppTypography.font(12, Font.DemiBold, "monospaced", AppTypography.usesEnglish)
        }
        ProcessKillButton {
            objectName: "killButton"
            Layout.preferredWidth: 28
            isVisible: row.isHovered && row.canTerminate
            isEnabled: row.canTerminate
            onTriggered: row.page.quit(row.index)
        }
    }
    // A context-menu entry led by its symbol, tinted like its title.
    component SymbolMenuItem: MenuItem {
        id: entry
        property string systemImage
        contentItem: Row {
            spacing: 8
            SymbolImage {
                objectName: "menuSymbol"
                anchors.verticalCenter: parent.verticalCenter
                width: 16
                systemName: entry.systemImage
                size: 14
                color: entry.palette.windowText
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: entry.text
                textFormat: Text.PlainText
                font: entry.font
                color: entry.palette.windowText
            }
        }
    }

    Component {
        id: menuComponent
        Menu {
            id: menu
            onClosed: menu.destroy()
            SymbolMenuItem {
                objectName: "quitItem"
                systemImage: "xmark"
                text: Tr.text("退出", "Quit")
                enabled: row.canTerminate // qmllint disable unqualified
                onTriggered: row.page.quit(row.index) // qmllint disable unqualified
            }
            SymbolMenuItem {
                objectName: "forceQuitItem"
                systemImage: "exclamationmark.octagon"
                text: Tr.text("强制退出…", "Force Quit…")
                enabled: row.canTerminate // qmllint disable unqualified
                palette.windowText: AppTheme.danger
                onTriggered: row.page.requestForceQuit(row.index) // qmllint disable unqualified
            }
            MenuSeparator {}
            SymbolMenuItem {
                objectName: "revealItem"
                systemImage: "folder"
                text: Tr.text("在 Finder 中显示", "Show in Finder")
                enabled: menu.visible && row.page.canReveal(row.index) // qmllint disable unqualified
                onTriggered: row.page.reveal(row.index) // qmllint disable unqualified
            }
        }
    }
}
