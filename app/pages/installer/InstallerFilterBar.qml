import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// The row above the installer list: the "all installers" chip, the selection count while
// choosing files, and the sort chip at the trailing end. The chips are labels only.
RowLayout {
    id: root
    property bool selectionMode: false
    property int selectedCount: 0

    spacing: 12
    Layout.fillWidth: true

    FilterChip {
        objectName: "allInstallersChip"
        title: Tr.text("全部安装包", "All Installers")
        systemImage: "shippingbox"
        selected: true
    }
    Text {
        objectName: "installerSelectionCount"
        visible: root.selectionMode
        text: KitText.selectedCountText(root.selectedCount, Loc.chinese)
        textFormat: Text.PlainText
        color: AppTheme.muted
        font: AppTypography.font(13, Font.Normal, "default", AppTypography.usesEnglish)
    }
    Item {
        Layout.fillWidth: true
    }
    FilterChip {
        objectName: "sortBySizeChip"
        title: Tr.text("按大小排序", "Sort by Size")
        systemImage: "arrow.up.arrow.down"
        selected: false
    }
}
