import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The health hero: score ring with verdict and advice, then uptime, free-space and live chips and the host line.
ColumnLayout {
    id: hero
    required property heroCard card
    readonly property bool hasCustomBackground: GlassSource.hasCustomWindowBackground
    readonly property color tone: AppTheme[card.tone]
    // A refresh re-evaluates everything that reads the card; the animated ring only hears of a
    // value that really changed.
    readonly property real ringValue: card.ringValue
    spacing: 12

    RowLayout {
        Layout.fillWidth: true
        spacing: 16
        Item {
            Layout.preferredWidth: 92
            Layout.preferredHeight: 100
            // Wider than the badge's frame; it spills past it and nothing clips it.
            HeroGlow {
                objectName: "heroGlow"
                anchors.centerIn: parent
                width: diameter + 2 * spill
                height: width
                color: hero.tone
                centerOpacity: hero.hasCustomBackground ? 0.16 : 0.24
                diameter: 100
                gradientRadius: 52
                blurRadius: 10
            }
            RingGauge {
                objectName: "healthRing"
                anchors.centerIn: parent
                width: 84
                height: 84
                value: hero.ringValue
                color: hero.tone
                lineWidth: 8
            }
            Column {
                anchors.centerIn: parent
                spacing: 0
                NumericText {
                    objectName: "healthScoreText"
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: hero.card.scoreText
                    font: AppTypography.font(hero.card.hasScore ? 30 : 18, Font.Bold, "rounded", AppTypography.usesEnglish)
                    color: hero.tone
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: Tr.text("健康度", "HEALTH")
                    readonly property font baseFont: AppTypography.font(7, Font.DemiBold, "rounded", AppTypography.usesEnglish)
                    font.family: baseFont.family
                    font.pixelSize: 7
                    font.weight: Font.DemiBold
                    font.letterSpacing: 1.2
                    color: AppTheme.muted
                }
            }
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 6
            RowLayout {
                spacing: 8
                Text {
                    text: Tr.text("系统状态", "System Health")
                    font: AppTypography.font(18, Font.DemiBold, "default", AppTypography.usesEnglish)
                    color: AppTheme.ink
                }
                StatusBadge {
                    objectName: "healthBadge"
                    text: hero.card.healthLabel
                    color: hero.tone
                    systemImage: "circle.fill"
                }
            }
            Text {
                objectName: "healthMessage"
                Layout.fillWidth: true
                text: hero.card.healthMessage
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                maximumLineCount: 2
                elide: Text.ElideRight
                font: AppTypography.font(12.5, Font.Normal, "default", AppTypography.usesEnglish)
                color: AppTheme.muted
            }
        }
    }
    Rectangle {
        Layout.fillWidth: true
        Layout.preferredHeight: 1
        color: AppTheme.line
        opacity: 0.28
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: 8
        // A positioner, not a layout: Qt 6.4's row layout left a chip shown after the first
        // layout pass at the row's start, on top of its neighbour.
        Row {
            spacing: 8
            GlassChip {
                objectName: "uptimeChip"
                title: hero.card.uptimeText
                systemImage: "clock"
            }
            GlassChip {
                objectName: "freeSpaceChip"
                visible: hero.card.hasAvailableDisk
                title: hero.card.availableDiskText
                systemImage: "internaldrive"
            }
            GlassChip {
                objectName: "liveChip"
                visible: hero.card.isLive
                title: Tr.text("实时", "Live")
                systemImage: "waveform.path.ecg"
                tint: AppTheme.success
            }
        }
        Item {
            Layout.fillWidth: true
            Layout.minimumWidth: 8
        }
        Text {
            objectName: "hostSummary"
            Layout.maximumWidth: 460
            Layout.fillWidth: true
            text: hero.card.hostSummary
            textFormat: Text.PlainText
            horizontalAlignment: Text.AlignRight
            wrapMode: Text.Wrap
            maximumLineCount: 2
            elide: Text.ElideRight
            font: AppTypography.font(10.5, Font.Medium, "default", AppTypography.usesEnglish)
            color: AppTheme.quiet
        }
    }
}
