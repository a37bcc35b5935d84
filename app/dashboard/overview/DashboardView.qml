import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Dashboard
import Roror.Kit

// The Overview page: health hero, status cards and process list, refreshed live while on screen.
NativePage {
    id: root
    required property AppModel model
    readonly property DashboardPage page: dashboard

    title: Tr.text("概览", "Overview")
    subtitle: Tr.text("查看当前负载、内存、磁盘、电源、网络和进程状态，并从这里开始一次安全检查。",
                      "See current CPU, memory, disk, power, network, and process status, then start a safe check from here.")
    pageScrolls: true

    DashboardPage {
        id: dashboard
        model: root.model
        live: root.visible
        window: root.Window.window
    }

    // Made only until the first snapshot: hidden items keep their place in the scene, which every
    // frame of a refresh walks.
    Loader {
        objectName: "skeletonPanel"
        Layout.fillWidth: true
        active: !dashboard.hasReport
        visible: active
        sourceComponent: Panel {
            glass: true
            cornerRadius: 22
            compact: true
            DashboardStatusSkeleton {
                Layout.fillWidth: true
                page: dashboard // qmllint disable unqualified
                // From the page's column, not from the grid's own width: a grid whose column count
                // follows its own width re-lays itself out in the middle of its layout.
                columns: dashboard.gridColumns(root.columnWidth - 28) // qmllint disable unqualified
            }
        }
    }

    // The hero and the cards are made, and their files read, with the first report: until then the
    // skeleton stands in for them, and the window's first frame does without them.
    Loader {
        id: reportLoader
        objectName: "reportLoader"
        Layout.fillWidth: true
        visible: dashboard.hasReport
        function build() {
            if (dashboard.hasReport && !reportLoader.item)
                reportLoader.setSource("DashboardReport.qml", { page: dashboard })
        }
        onLoaded: reportLoader.item.columnWidth = Qt.binding(() => root.columnWidth)
        Component.onCompleted: build()
        Connections {
            target: dashboard
            function onHasReportChanged() {
                reportLoader.build()
            }
        }
    }

    NativeSection {
        id: processSection
        objectName: "processSection"
        Layout.fillWidth: true
        Layout.fillHeight: false
        title: Tr.text("进程", "Processes")
        subtitle: Tr.text("实时 CPU 与内存占用", "Live CPU & memory by process")
        glass: true
        ProcessUsageList {
            id: processList
            Layout.fillWidth: true
            Layout.preferredHeight: 320
            page: dashboard
            // Rows below or above the page's view are not shown and change without animating. The
            // list's place in the column is read again whenever the page scrolls, or the section
            // moves or grows.
            inSight: {
                const sectionBottom = processSection.y + processSection.height
                const below = processSection.height - processList.mapToItem(processSection, 0, processList.height).y
                const bottom = sectionBottom - below
                return bottom - processList.height < root.visibleBottom && bottom > root.visibleTop
            }
        }
    }

    // Built, and its file read, when first asked for, not with the page; it then stays for the
    // page's life.
    Loader {
        id: forceQuitLoader
        Connections {
            target: dashboard
            function onForceQuitPendingChanged() {
                if (dashboard.forceQuitPending && !forceQuitLoader.item)
                    forceQuitLoader.setSource("../processes/ForceQuitConfirmation.qml", { page: dashboard })
            }
        }
    }
}
