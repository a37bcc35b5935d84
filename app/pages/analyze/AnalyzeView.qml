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
    title: Tr.text("空间分析", "Storage Analysis")
    subtitle: Tr.text("选择一个位置，找出最占空间的文件和文件夹。", "Choose a location and find the files and folders using the most space.")
    pageScrolls: true

    AnalyzePage {
        id: analyzePage
        objectName: "analyzePage"
        model: root.model
    }

    FolderHeaderPanel {
        objectName: "analyzeHeader"
        Layout.fillWidth: true
        labelName: "analyzeHeaderLabel"
        systemImage: analyzePage.hasLastAnalysis ? "clock.arrow.circlepath" : "chart.pie"
        title: analyzePage.hasLastAnalysis ? analyzePage.lastAnalysisText : Tr.text("还没分析过", "Not analyzed yet")
        detail: Tr.text("分析只读取目录信息，不会改动任何文件。", "Analysis only reads directory info and does not modify any files.")
        actions: [
            ToolbarActionButton {
                objectName: "analyzeButton"
                title: analyzePage.hasReport ? Tr.text("重新分析", "Reanalyze") : Tr.text("开始分析", "Analyze")
                systemImage: "chart.pie"
                isPrimary: true
                onAction: analyzePage.analyze()
            },
            ToolbarActionButton {
                objectName: "advancedButton"
                title: Tr.text("高级查看", "Advanced")
                systemImage: "rectangle.and.text.magnifyingglass"
                onAction: analyzePage.analyzeAdvanced()
            }
        ]
        folderLeading: BorderedButton {
            objectName: "parentFolderButton"
            small: true
            implicitHeight: 26
            enabled: !analyzePage.parentPathUnavailable
            systemImage: "chevron.left"
            help: Tr.text("返回上一级", "Go to Parent Folder")
            onClicked: analyzePage.goToParent()
        }
        path: analyzePage.analysisPath
        pathName: "analysisPathText"
        chooseName: "chooseAnalysisFolderButton"
        chooseTitle: Tr.text("选择", "Choose")
        onChoose: folderChooser.choose()
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
        title: Tr.text("分析结果", "Results")
    }

    AnalysisSummary {
        objectName: "analysisSummary"
        Layout.fillWidth: true
        // The column's width while still hidden, as the layout gives it once shown: the texts
        // are laid out at that width before the report comes, not at none and again after.
        width: parent.width
        visible: analyzePage.hasReport && !analyzePage.busy
        page: analyzePage
    }
    EntryTable {
        objectName: "largestItemsTable"
        Layout.fillWidth: true
        width: parent.width
        visible: analyzePage.hasReport && !analyzePage.busy && rows.count > 0
        title: Tr.text("占用最多的项目", "Largest Items")
        page: analyzePage
        viewport: root.viewport
        rows: analyzePage.entries
        table: AnalyzePage.Entries
    }
    EntryTable {
        objectName: "largeFilesTable"
        Layout.fillWidth: true
        width: parent.width
        visible: analyzePage.hasReport && !analyzePage.busy && rows.count > 0
        title: Tr.text("大文件", "Large Files")
        page: analyzePage
        viewport: root.viewport
        rows: analyzePage.largeFiles
        table: AnalyzePage.LargeFiles
    }

    PageAlert {
        objectName: "analyzeTrashAlert"
        shown: analyzePage.hasPendingTrash
        title: Tr.text("移到废纸篓？", "Move to Trash?")
        message: analyzePage.pendingTrashPath
        confirmTitle: Tr.text("移到废纸篓", "Move to Trash")
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
