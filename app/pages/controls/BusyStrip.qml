import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The busy strip of a feature page while its own action runs: a small spinner with "Working"
// and the model's status line, then a sweeping indeterminate bar.
ColumnLayout {
    id: root
    required property AppModel model
    spacing: 12

    RowLayout {
        Layout.fillWidth: true
        spacing: 12
        Spinner {
            size: 16
            color: AppTheme.accent
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 3
            Text {
                Layout.fillWidth: true
                text: Loc.chinese ? "正在处理" : "Working"
                textFormat: Text.PlainText
                color: AppTheme.ink
                font: AppTypography.font(14, Font.DemiBold, "default", AppTypography.usesEnglish)
            }
            Text {
                objectName: "busyStripDetail"
                Layout.fillWidth: true
                text: root.model.statusDetail
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                color: AppTheme.muted
                font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
            }
        }
    }
    Item {
        id: bar
        Layout.fillWidth: true
        implicitHeight: 4
        clip: true
        property real phase
        Rectangle {
            anchors.fill: parent
            radius: 2
            color: AppTheme.faded(AppTheme.line, 0.2)
        }
        Rectangle {
            x: bar.width * bar.phase
            width: Math.max(48, 0.32 * bar.width)
            height: bar.height
            radius: 2
            gradient: Gradient {
                orientation: Gradient.Horizontal
                GradientStop { position: 0; color: AppTheme.faded(AppTheme.accent, 0) }
                GradientStop { position: 0.5; color: AppTheme.faded(AppTheme.accent, 0.85) }
                GradientStop { position: 1; color: AppTheme.faded(AppTheme.accent, 0) }
            }
        }
        NumberAnimation on phase {
            from: -0.35
            to: 1.05
            duration: 1400
            loops: Animation.Infinite
            running: root.visible
        }
    }
}
