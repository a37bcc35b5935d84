import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// The Storage Analysis page: the folder with its parent step and chooser, Analyze and Advanced,
// the contract card before the first analysis, the busy strip, or the summary and the two tables;
// a row's Trash button asks here before anything moves.
NativePage {
    id: root
    required property AppModel model
    objectName: "analyzeView"
    title: Loc.chinese ? "空间分析" : "Storage Analysis"
    subtitle: Loc.chinese ? "选择一个位置，找出最占空间的文件和文件夹。" : "Choose a location and find the files and folders using the most space."
    pageScrolls: true

    AnalyzePage {
        id: analyzePage
        objectName: "analyzePage"
        model: root.model
    }

    Panel {
        objectName: "analyzeHeader"
        Layout.fillWidth: true
        glass: true
        cornerRadius: 26
        compact: false

        ColumnLayout {
            Layout.fillWidth: true
            spacing: 12
            RowLayout {
                Layout.fillWidth: true
                spacing: 16
                PageHeaderLabel {
                    objectName: "analyzeHeaderLabel"
                    Layout.fillWidth: true
                    systemImage: analyzePage.hasLastAnalysis ? "clock.arrow.circlepath" : "chart.pie"
                    title: analyzePage.hasLastAnalysis ? analyzePage.lastAnalysisText : (Loc.chinese ? "还没分析过" : "Not analyzed yet")
                    detail: Loc.chinese ? "分析只读取目录信息，不会改动任何文件。" : "Analysis only reads directory info and does not modify any files."
                }
                ToolbarActionButton {
                    objectName: "analyzeButton"
                    title: analyzePage.hasReport ? (Loc.chinese ? "重新分析" : "Reanalyze") : (Loc.chinese ? "开始分析" : "Analyze")
                    systemImage: "chart.pie"
                    isPrimary: true
                    onAction: analyzePage.analyze()
                }
                ToolbarActionButton {
                    objectName: "advancedButton"
                    title: Loc.chinese ? "高级查看" : "Advanced"
                    systemImage: "rectangle.and.text.magnifyingglass"
                    onAction: analyzePage.analyzeAdvanced()
                }
            }
            PageDivider {
                lineOpacity: 0.5
            }
            RowLayout {
                Layout.fillWidth: true
                spacing: 10
                BorderedButton {
                    objectName: "parentFolderButton"
                    implicitHeight: 26
                    enabled: !analyzePage.parentPathUnavailable
                    systemImage: "chevron.left"
                    help: Loc.chinese ? "返回上一级" : "Go to Parent Folder"
                    onClicked: analyzePage.goToParent()
                }
                Item {
                    Layout.fillWidth: true
                    implicitHeight: Math.max(30, pathText.implicitHeight + 8)
                    LiquidGlassSurface {
                        anchors.fill: parent
                        cornerRadius: 8
                    }
                    Text {
                        id: pathText
                        objectName: "analysisPathText"
                        anchors.left: parent.left
                        anchors.right: parent.right
                        anchors.leftMargin: 10
                        anchors.rightMargin: 10
                        anchors.verticalCenter: parent.verticalCenter
                        text: analyzePage.analysisPath
                        textFormat: Text.PlainText
                        elide: Text.ElideMiddle
                        maximumLineCount: 1
                        color: AppTheme.ink
                        font: AppTypography.font(12, Font.Normal, "monospaced", AppTypography.usesEnglish)
                    }
                }
                BorderedButton {
                    objectName: "chooseAnalysisFolderButton"
                    title: Loc.chinese ? "选择" : "Choose"
                    systemImage: "folder"
                    onClicked: folderChooser.choose()
                }
            }
        }
    }

    AnalyzeScanContract {
        objectName: "analyzeScanContract"
        Layout.fillWidth: true
        visible: !analyzePage.hasReport && !analyzePage.busy
    }

    PageBusySection {
        Layout.fillWidth: true
        visible: analyzePage.busy
        model: root.model
        title: Loc.chinese ? "分析结果" : "Results"
    }

    AnalysisSummary {
        objectName: "analysisSummary"
        Layout.fillWidth: true
        visible: analyzePage.hasReport && !analyzePage.busy
        page: analyzePage
    }
    EntryTable {
        objectName: "largestItemsTable"
        Layout.fillWidth: true
        visible: analyzePage.hasReport && !analyzePage.busy && rows.count > 0
        title: Loc.chinese ? "占用最多的项目" : "Largest Items"
        page: analyzePage
        rows: analyzePage.entries
        table: AnalyzePage.Entries
    }
    EntryTable {
        objectName: "largeFilesTable"
        Layout.fillWidth: true
        visible: analyzePage.hasReport && !analyzePage.busy && rows.count > 0
        title: Loc.chinese ? "大文件" : "Large Files"
        page: analyzePage
        rows: analyzePage.largeFiles
        table: AnalyzePage.LargeFiles
    }

    PageAlert {
        objectName: "analyzeTrashAlert"
        shown: analyzePage.hasPendingTrash
        title: Loc.chinese ? "移到废纸篓？" : "Move to Trash?"
        message: analyzePage.pendingTrashPath
        confirmTitle: Loc.chinese ? "移到废纸篓" : "Move to Trash"
        onCancelled: analyzePage.cancelTrash()
        onConfirmed: analyzePage.confirmTrash()
    }

    FolderChooser {
        id: folderChooser
        objectName: "analysisFolderDialog"
        startFolder: analyzePage.analysisFolderUrl
        onFolderChosen: folder => analyzePage.chooseFolder(folder)
    }
}
