import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The root view: the backdrop under the sidebar and the page area, the page switch, the
// confirmation of a parked destructive action, the model's message and the start-up sequence.
Item {
    id: root
    required property AppModel model

    objectName: "contentView"

    ContentController {
        id: controller
        model: root.model
        window: root.Window.window
    }

    WindowBackdrop {
        id: backdrop
        objectName: "backdrop"
        anchors.fill: parent
        hasScore: controller.hasHealthScore
        score: controller.healthScore
        backgroundImageUrl: controller.backgroundImageUrl
        backgroundImageRevision: controller.backgroundRevision
        baseColor: AppTheme.windowBackground
        dark: AppTheme.dark
        auraSoftColor: backdrop.auraTone === "mint" ? AppTheme.successSoft
                     : backdrop.auraTone === "amber" ? AppTheme.amberSoft : AppTheme.dangerSoft
        auraOrbColor: backdrop.auraTone === "mint" ? AppTheme.orbMint
                    : backdrop.auraTone === "amber" ? AppTheme.orbAmber : AppTheme.orbBlush
    }

    // Every glass surface of the window is tinted while a custom background shows.
    Binding {
        target: GlassSource
        property: "hasCustomWindowBackground"
        value: controller.hasCustomWindowBackground
    }

    RowLayout {
        anchors.fill: parent
        spacing: 0

        SidebarView {
            Layout.preferredWidth: 224
            Layout.fillHeight: true
            selection: controller.selectedFeature
            onSelectionRequested: feature => controller.selectedFeature = feature
        }
        PageSwitch {
            objectName: "pageSwitch"
            Layout.fillWidth: true
            Layout.fillHeight: true
            model: root.model
            selectedFeature: controller.selectedFeature
            ready: controller.windowDrawn
        }
    }

    ShellAlert {
        objectName: "confirmationAlert"
        shown: controller.confirmationShown
        title: Tr.text("确认操作", "Confirm Action")
        message: controller.confirmationMessage
        cancelTitle: Tr.text("取消", "Cancel")
        acceptTitle: Tr.text("继续", "Continue")
        destructive: true
        onAccepted: controller.confirmPendingAction()
        onDismissed: controller.dropPendingAction()
    }

    // After the confirmation when both are due: one alert at a time.
    ShellAlert {
        objectName: "messageAlert"
        shown: controller.messageShown && !controller.confirmationShown
        title: "Roror"
        message: controller.message
        acceptTitle: Tr.text("好", "OK")
        onAccepted: controller.clearMessage()
        onDismissed: controller.clearMessage()
    }
}
