import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Dialogs
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Clean
import Roror.Pages.Common
import Roror.Pages.Optimize

// The Settings page: permissions, protection, appearance, language, updates and about, in one
// scrolling column; the two protection sheets and the update progress sheet open over it.
Item {
    id: root
    required property AppModel model
    objectName: "maintenanceView"

    SettingsPage {
        id: page
        objectName: "settingsPage"
        model: root.model
        active: root.visible
    }

    // Caption and small-note styles of the sections.
    component Caption: Text {
        Layout.fillWidth: true
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        color: AppTheme.muted
        font: AppTypography.font(12, Font.Normal, "default", AppTypography.usesEnglish)
    }

    NativePage {
        id: frame
        anchors.fill: parent
        title: Tr.text("设置", "Settings")
        subtitle: Tr.text("管理权限、保护名单、外观、语言和更新。", "Manage permissions, safeguards, appearance, language, and updates.")
        pageScrolls: true

        NativeSection {
            objectName: "settingsPermissions"
            Layout.fillWidth: true
            title: Tr.text("权限", "Permissions")
            glass: true
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 12
                SettingsInfoRow {
                    title: Tr.text("减少系统弹窗", "Reduce Permission Prompts")
                    detail: Tr.text("如果清理或分析时频繁出现“允许”弹窗，请给 Roror 一次性开启完整磁盘访问和 App 数据访问。", "If cleanup or analysis repeatedly shows permission prompts, grant Roror Full Disk Access and App Data access once.")
                }
                Flow {
                    Layout.fillWidth: true
                    spacing: 12
                    BorderedButton {
                        objectName: "settingsFullDiskAccess"
                        title: Tr.text("打开完整磁盘访问权限", "Open Full Disk Access")
                        systemImage: "externaldrive.badge.checkmark"
                        onClicked: page.openFullDiskAccess()
                    }
                    BorderedButton {
                        objectName: "settingsAppDataAccess"
                        title: Tr.text("打开 App 数据权限", "Open App Data Access")
                        systemImage: "folder.badge.person.crop"
                        onClicked: page.openAppDataAccess()
                    }
                }
                Caption {
                    text: Tr.text("授权后重新打开 Roror，后续扫描会少很多系统确认。", "After granting access, reopen Roror. Future scans should show far fewer system confirmations.")
                }
            }
        }

        NativeSection {
            objectName: "settingsProtection"
            Layout.fillWidth: true
            title: Tr.text("保护设置", "Protection Settings")
            glass: true
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 12
                Flow {
                    Layout.fillWidth: true
                    spacing: 12
                    BorderedButton {
                        objectName: "settingsCleanProtection"
                        title: Tr.text("清理保护名单", "Cleanup Protection List")
                        systemImage: "checklist.checked"
                        onClicked: page.openCleanProtectionList()
                    }
                    BorderedButton {
                        objectName: "settingsOptimizeSafeguards"
                        title: Tr.text("优化保护项", "Optimization Safeguards")
                        systemImage: "slider.horizontal.3"
                        onClicked: page.openOptimizeSafeguards()
                    }
                }
                Caption {
                    text: Tr.text("这些设置会直接影响后续的清理和优化行为。", "These settings directly affect later cleanup and optimization actions.")
                }
            }
        }

        NativeSection {
            objectName: "settingsAppearance"
            Layout.fillWidth: true
            title: Tr.text("外观", "Appearance")
            glass: true
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 16
                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 10
                    Text {
                        Layout.fillWidth: true
                        text: Tr.text("窗口背景", "Window Background")
                        textFormat: Text.PlainText
                        color: AppTheme.ink
                        font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
                    }
                    RowLayout {
                        Layout.fillWidth: true
                        spacing: 12
                        WindowBackgroundPreview {
                            objectName: "settingsBackgroundPreview"
                            url: page.backgroundPath
                            revision: page.backgroundRevision
                            previewSize: 80
                        }
                        ColumnLayout {
                            Layout.fillWidth: true
                            spacing: 8
                            Caption {
                                objectName: "settingsBackgroundStatus"
                                text: page.backgroundStatusText
                            }
                            Flow {
                                Layout.fillWidth: true
                                spacing: 10
                                BorderedButton {
                                    objectName: "settingsChooseBackground"
                                    title: Tr.text("选择背景图片", "Choose Background Image")
                                    systemImage: "photo.on.rectangle"
                                    onClicked: imageChooser.open()
                                }
                                BorderedButton {
                                    objectName: "settingsDefaultBackground"
                                    title: Tr.text("恢复默认", "Use Default")
                                    enabled: page.hasCustomBackground
                                    onClicked: page.useDefaultBackground()
                                }
                            }
                            Text {
                                Layout.fillWidth: true
                                text: Tr.text("未设置时使用系统桌面壁纸。过于花哨的图片可能让玻璃面板上的文字较难阅读。", "Uses the system desktop wallpaper when none is set. Very busy images may make text on glass panels harder to read.")
                                textFormat: Text.PlainText
                                wrapMode: Text.Wrap
                                color: AppTheme.quiet
                                font: AppTypography.font(11, Font.Normal, "default", AppTypography.usesEnglish)
                            }
                        }
                    }
                }
                Rectangle {
                    Layout.fillWidth: true
                    implicitHeight: 1
                    color: AppTheme.faded(AppTheme.line, 0.35)
                }
                RowLayout {
                    Layout.fillWidth: true
                    spacing: 12
                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 2
                        Text {
                            Layout.fillWidth: true
                            text: Tr.text("健康氛围背景", "Health Aura Background")
                            textFormat: Text.PlainText
                            wrapMode: Text.Wrap
                            color: AppTheme.ink
                            font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
                        }
                        Caption {
                            text: Tr.text("在背景图片或壁纸上叠加与系统健康评分对应的柔和色调。", "Adds a soft tint on top of your background image or wallpaper based on the system health score.")
                        }
                    }
                    Switch {
                        id: auraSwitch
                        objectName: "settingsHealthAura"
                        checked: page.showHealthAura
                        onToggled: page.showHealthAura = checked
                        Accessible.name: Tr.text("健康氛围背景", "Health Aura Background")
                        // The desktop switch: an accent track while on, the knob always inside it.
                        indicator: Rectangle {
                            objectName: "switchTrack"
                            implicitWidth: 38
                            implicitHeight: 22
                            x: auraSwitch.leftPadding
                            y: (auraSwitch.height - height) / 2
                            radius: height / 2
                            color: auraSwitch.checked ? AppTheme.accent : AppTheme.line
                            Behavior on color { ColorAnimation { duration: 150 } }
                            Rectangle {
                                objectName: "switchKnob"
                                width: parent.height - 4
                                height: width
                                x: auraSwitch.checked ? parent.width - width - 2 : 2
                                y: 2
                                radius: width / 2
                                color: "white"
                                border.width: 0.5
                                border.color: Qt.rgba(0, 0, 0, 0.12)
                                Behavior on x { NumberAnimation { duration: 150; easing.type: Easing.InOutQuad } }
                            }
                        }
                    }
                }
            }
        }

        NativeSection {
            objectName: "settingsLanguage"
            Layout.fillWidth: true
            title: Tr.text("语言", "Language")
            glass: true
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 12
                LanguagePicker {
                    objectName: "settingsLanguagePicker"
                    currentIndex: page.languageIndex
                    onPicked: index => page.languageIndex = index
                }
                Caption {
                    text: Tr.text("默认会跟随系统语言，也可以在这里手动切换。", "By default the app follows the system language, and you can switch it manually here.")
                }
            }
        }

        NativeSection {
            objectName: "settingsUpdates"
            Layout.fillWidth: true
            title: Tr.text("更新", "Updates")
            glass: true
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 12
                SettingsInfoRow {
                    objectName: "settingsCurrentVersion"
                    title: Tr.text("当前版本", "Current Version")
                    detail: page.appVersionText
                }
                SettingsInfoRow {
                    objectName: "settingsLatestVersion"
                    visible: page.hasLatestVersion
                    title: Tr.text("最新版本", "Latest Version")
                    detail: page.latestVersionText
                }
                Caption {
                    objectName: "settingsUpdateStatus"
                    text: page.updateStatusDetail
                }
                RowLayout {
                    spacing: 12
                    BorderedButton {
                        objectName: "settingsCheckUpdates"
                        title: page.isCheckingForUpdates ? Tr.text("正在检查", "Checking") : Tr.text("检查更新", "Check for Updates")
                        systemImage: "arrow.clockwise"
                        enabled: page.checkEnabled
                        onClicked: page.checkForUpdates()
                    }
                    BorderedButton {
                        objectName: "settingsInstallUpdate"
                        visible: page.canInstall
                        title: Tr.text("下载并安装", "Download & Install")
                        systemImage: "square.and.arrow.down"
                        prominent: true
                        onClicked: page.installUpdate()
                    }
                }
                Caption {
                    objectName: "settingsFeedNote"
                    visible: !page.feedConfigured
                    text: Tr.text("发布前需要先配置更新地址，配置后这里会自动检查新版本。", "Configure the update feed URL before release. Once configured, this page can check for new versions.")
                }
            }
        }

        NativeSection {
            objectName: "settingsAbout"
            Layout.fillWidth: true
            title: Tr.text("关于", "About")
            glass: true
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 12
                SettingsInfoRow {
                    title: "Roror"
                    detail: Tr.text("Mac 清理与优化", "Mac Cleanup & Optimization")
                }
                SettingsInfoRow {
                    objectName: "settingsAboutVersion"
                    title: Tr.text("版本号", "Version")
                    detail: page.appVersionText
                }
            }
        }
    }

    FileDialog {
        id: imageChooser
        objectName: "settingsImageChooser"
        title: Tr.text("选择背景图片", "Choose Background Image")
        fileMode: FileDialog.OpenFile
        parentWindow: root.Window.window
        currentFolder: page.picturesFolder
        nameFilters: [Tr.text("图片 (*.png *.jpg *.jpeg *.heic *.tif *.tiff *.gif *.bmp *.webp)", "Images (*.png *.jpg *.jpeg *.heic *.tif *.tiff *.gif *.bmp *.webp)")]
        onAccepted: page.chooseBackgroundImage(selectedFile)
    }

    CleanProtectionSheet {
        model: root.model
        hostVisible: root.visible
    }
    OptimizeProtectionSheet {
        model: root.model
        hostVisible: root.visible
    }
    UpdateProgressSheet {
        model: root.model
        hostVisible: root.visible
    }
}
