import QtQuick
import QtQuick.Layouts
import Roror.Kit
import Roror.Pages.Common

// Where the uninstall preview looks and what the feature promises, before the first preview.
NativeSection {
    title: Tr.text("扫描说明", "About This Scan")
    subtitle: Tr.text("检查以下位置的应用及残留", "Checks apps and leftovers in these locations")
    glass: true

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 10
        FlowLayout {
            objectName: "uninstallLocationTags"
            Layout.fillWidth: true
            spacing: 6
            GlassTag { title: "/Applications"; systemImage: "folder"; cornerRadius: 6 }
            GlassTag { title: "~/Applications"; systemImage: "folder"; cornerRadius: 6 }
            GlassTag { title: "~/Library/Preferences"; systemImage: "gearshape"; cornerRadius: 6 }
            GlassTag { title: "~/Library/Caches"; systemImage: "internaldrive"; cornerRadius: 6 }
            GlassTag { title: "~/Library/Application Support"; systemImage: "doc"; cornerRadius: 6 }
            GlassTag { title: "~/Library/Logs"; systemImage: "text.alignleft"; cornerRadius: 6 }
            GlassTag { title: Tr.text("登录项", "Login Items"); systemImage: "person.crop.circle"; cornerRadius: 6 }
        }
        PageDivider {
            lineOpacity: 0.4
        }
        RowLayout {
            objectName: "uninstallPromises"
            spacing: 16
            ContractLabel {
                text: Tr.text("先预览再卸载", "Preview before uninstall")
                systemImage: "eye"
            }
            ContractLabel {
                text: Tr.text("卸载前逐项确认", "Confirm each")
                systemImage: "hand.raised"
            }
            ContractLabel {
                text: Tr.text("同时清理残留文件", "Cleans leftovers too")
                systemImage: "sparkles"
            }
        }
    }
}
