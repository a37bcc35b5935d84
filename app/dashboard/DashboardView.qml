import QtQuick
import QtQuick.Layouts
import Roror.App

// The Overview page: health hero, status cards and process list, refreshed live while on screen.
Item {
    id: root
    required property AppModel model
    readonly property DashboardPage page: dashboard

    DashboardPage {
        id: dashboard
        model: root.model
        live: root.visible
    }

    Flickable {
        id: scroller
        objectName: "dashboardScroller"
        anchors.fill: parent
        contentWidth: width
        contentHeight: column.implicitHeight + 60
        boundsBehavior: Flickable.StopAtBounds
        clip: true

        ColumnLayout {
            id: column
            x: 34
            y: 30
            width: Math.max(0, Math.min(980, scroller.width - 68))
            spacing: 20

            ColumnLayout {
                Layout.fillWidth: true
                spacing: 6
                Text {
                    objectName: "pageTitle"
                    text: Loc.chinese ? "概览" : "Overview"
                    font.family: Loc.chinese ? DashTheme.sans : DashTheme.serif
                    font.pixelSize: Loc.chinese ? 36 : 34
                    font.weight: Font.DemiBold
                    color: DashTheme.ink
                }
                Text {
                    Layout.fillWidth: true
                    text: Loc.chinese ? "查看当前负载、内存、磁盘、电源、网络和进程状态，并从这里开始一次安全检查。"
                                      : "See current CPU, memory, disk, power, network, and process status, then start a safe check from here."
                    wrapMode: Text.Wrap
                    font.family: Loc.chinese ? DashTheme.sans : DashTheme.rounded
                    font.pixelSize: 15
                    color: DashTheme.muted
                }
            }

            DashPanel {
                objectName: "skeletonPanel"
                Layout.fillWidth: true
                visible: !dashboard.hasReport
                cornerRadius: 22
                compact: true
                DashboardStatusSkeleton {
                    width: parent.width
                    page: dashboard
                    columns: dashboard.gridColumns(width)
                }
            }

            DashPanel {
                objectName: "heroPanel"
                Layout.fillWidth: true
                visible: dashboard.hasReport
                cornerRadius: 22
                compact: true
                OverviewHeroCard {
                    width: parent.width
                    card: dashboard.hero
                }
            }

            GridLayout {
                objectName: "cardGrid"
                Layout.fillWidth: true
                visible: dashboard.hasReport
                columns: dashboard.gridColumns(width)
                columnSpacing: 12
                rowSpacing: 12
                Repeater {
                    model: dashboard.cards
                    StatusDetailCard {
                        objectName: "statusCard"
                        Layout.fillWidth: true
                        Layout.fillHeight: true
                        Layout.preferredWidth: 1
                        Layout.alignment: Qt.AlignTop
                    }
                }
            }

            ColumnLayout {
                objectName: "processSection"
                Layout.fillWidth: true
                spacing: 10
                ColumnLayout {
                    spacing: 2
                    Text {
                        text: Loc.chinese ? "进程" : "Processes"
                        font.family: Loc.chinese ? DashTheme.sans : DashTheme.rounded
                        font.pixelSize: 17
                        font.weight: Font.DemiBold
                        color: DashTheme.ink
                    }
                    Text {
                        text: Loc.chinese ? "实时 CPU 与内存占用" : "Live CPU & memory by process"
                        font.family: Loc.chinese ? DashTheme.sans : DashTheme.rounded
                        font.pixelSize: 13
                        color: DashTheme.muted
                    }
                }
                DashPanel {
                    Layout.fillWidth: true
                    cornerRadius: 26
                    compact: false
                    ProcessUsageList {
                        width: parent.width
                        height: 320
                        page: dashboard
                    }
                }
            }
        }
    }

    ForceQuitConfirmation {
        anchors.fill: parent
        page: dashboard
    }
}
