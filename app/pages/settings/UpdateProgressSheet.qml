import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// Follows a self-update from download to relaunch: one body per installer state and the buttons
// that fit it. A failure shows its message with Close and Retry.
SheetFrame {
    id: root
    required property AppModel model
    objectName: "updateProgressSheet"
    width: 380
    // Only the page on screen presents it.
    property bool hostVisible: true
    presented: root.model.showingUpdateSheet && root.hostVisible
    onDismissed: if (root.model.showingUpdateSheet) root.model.showingUpdateSheet = false

    UpdateProgress {
        id: progress
        model: root.model
    }

    // The title and note styles of the bodies.
    component Title: Text {
        Layout.fillWidth: true
        horizontalAlignment: Text.AlignHCenter
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        color: AppTheme.ink
        font: AppTypography.font(15, Font.DemiBold, "default", AppTypography.usesEnglish)
    }
    component Note: Text {
        Layout.fillWidth: true
        horizontalAlignment: Text.AlignHCenter
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        color: AppTheme.muted
        font: AppTypography.font(13, Font.Normal, "default", AppTypography.usesEnglish)
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 24

        ColumnLayout {
            objectName: "updateDownloading"
            Layout.fillWidth: true
            Layout.topMargin: 32
            Layout.leftMargin: 32
            Layout.rightMargin: 32
            visible: progress.stage === "downloading"
            spacing: 16
            Spinner {
                Layout.alignment: Qt.AlignHCenter
                size: 30
                color: AppTheme.muted
            }
            Title {
                text: Tr.text("正在下载更新…", "Downloading update…")
            }
            Item {
                objectName: "updateProgressBar"
                Layout.fillWidth: true
                implicitHeight: 6
                Rectangle {
                    anchors.fill: parent
                    radius: 3
                    color: AppTheme.faded(AppTheme.line, 0.6)
                }
                Rectangle {
                    objectName: "updateProgressFill"
                    width: parent.width * progress.progress
                    height: parent.height
                    radius: 3
                    color: AppTheme.accent
                }
            }
            Text {
                objectName: "updatePercent"
                Layout.alignment: Qt.AlignHCenter
                text: progress.percentText
                textFormat: Text.PlainText
                color: AppTheme.muted
                font: AppTypography.font(13, Font.Normal, "monospaced", AppTypography.usesEnglish)
            }
        }

        ColumnLayout {
            objectName: "updateReady"
            Layout.fillWidth: true
            Layout.topMargin: 32
            Layout.leftMargin: 32
            Layout.rightMargin: 32
            visible: progress.stage === "readyToInstall"
            spacing: 12
            SymbolImage {
                Layout.alignment: Qt.AlignHCenter
                systemName: "checkmark.circle.fill"
                size: 36
                color: AppTheme.success
            }
            Title {
                text: Tr.text("下载完成", "Download Complete")
            }
            Note {
                text: Tr.text("点击下方按钮，Roror 会自动关闭并安装新版本，完成后会重新打开。", "Click the button below. Roror will close, install the update, and relaunch automatically.")
            }
        }

        ColumnLayout {
            objectName: "updateInstalling"
            Layout.fillWidth: true
            Layout.topMargin: 32
            Layout.leftMargin: 32
            Layout.rightMargin: 32
            visible: progress.stage === "installing"
            spacing: 16
            Spinner {
                Layout.alignment: Qt.AlignHCenter
                size: 30
                color: AppTheme.muted
            }
            Title {
                text: Tr.text("正在安装…", "Installing…")
            }
            Note {
                text: Tr.text("请勿关闭应用", "Please do not close the app")
            }
        }

        ColumnLayout {
            objectName: "updateFailed"
            Layout.fillWidth: true
            Layout.topMargin: 32
            Layout.leftMargin: 32
            Layout.rightMargin: 32
            visible: progress.stage === "failed"
            spacing: 12
            SymbolImage {
                Layout.alignment: Qt.AlignHCenter
                systemName: "exclamationmark.triangle.fill"
                size: 36
                color: AppTheme.amber
            }
            Title {
                text: Tr.text("更新失败", "Update Failed")
            }
            Note {
                objectName: "updateFailureMessage"
                text: progress.failureMessage
            }
        }

        RowLayout {
            objectName: "updateButtons"
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: progress.stage === "idle" ? 32 : 0
            Layout.bottomMargin: 32
            spacing: 12
            BorderedButton {
                objectName: "updateCancel"
                visible: progress.stage === "downloading"
                title: Tr.text("取消", "Cancel")
                onClicked: progress.cancel()
            }
            BorderedButton {
                objectName: "updateLater"
                visible: progress.stage === "readyToInstall"
                title: Tr.text("稍后再说", "Later")
                onClicked: progress.later()
            }
            BorderedButton {
                objectName: "updateInstall"
                visible: progress.stage === "readyToInstall"
                title: Tr.text("重启并安装", "Restart & Install")
                prominent: true
                onClicked: progress.restartAndInstall()
            }
            BorderedButton {
                objectName: "updateClose"
                visible: progress.stage === "failed"
                title: Tr.text("关闭", "Close")
                onClicked: progress.close()
            }
            BorderedButton {
                objectName: "updateRetry"
                visible: progress.stage === "failed"
                title: Tr.text("重试", "Retry")
                prominent: true
                onClicked: progress.retry()
            }
        }
    }
}
