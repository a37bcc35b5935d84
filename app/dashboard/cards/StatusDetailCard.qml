import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Dashboard
import Roror.Kit

// One status card: symbol and title, the card's own drawing, then its rows, on a glass card.
Item {
    id: card
    required property string title
    required property string systemImage
    required property string bodyKind
    required property var body
    required property var rows
    implicitHeight: stack.implicitHeight + 16
    // Each drawing by the kind the card names; a card without one (or of a kind not here) has none.
    readonly property var drawings: ({
        "CPUVisualBody": cpuDrawing,
        "MemoryVisualBody": memoryDrawing,
        "GPUVisualBody": gpuDrawing,
        "DiskVisualBody": diskDrawing,
        "PowerVisualBody": powerDrawing,
        "NetworkVisualBody": networkDrawing,
        "ProcessVisualBody": processDrawing
    })

    LiquidGlassSurface {
        anchors.fill: parent
        cornerRadius: 18
    }
    ColumnLayout {
        id: stack
        x: 14
        y: 8
        width: card.width - 28
        spacing: 10

        RowLayout {
            Layout.fillWidth: true
            spacing: 8
            SymbolImage {
                Layout.preferredWidth: 20
                Layout.preferredHeight: 20
                systemName: card.systemImage
                size: 11
                weight: Font.DemiBold
                color: AppTheme.accent
            }
            Text {
                Layout.fillWidth: true
                text: card.title
                textFormat: Text.PlainText
                elide: Text.ElideRight
                font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
                color: AppTheme.ink
            }
        }
        Loader {
            id: drawing
            objectName: "cardDrawing"
            Layout.fillWidth: true
            active: sourceComponent !== null
            visible: active
            sourceComponent: card.drawings[card.bodyKind] ?? null
        }
        Binding {
            target: drawing.item
            property: "body"
            value: card.body
            when: drawing.status === Loader.Ready
        }
        ColumnLayout {
            Layout.fillWidth: true
            visible: card.rows.length > 0
            spacing: 8
            Repeater {
                model: card.rows.length
                MetricBarRow {
                    required property int index
                    Layout.fillWidth: true
                    row: card.rows[index] // qmllint disable unqualified
                }
            }
        }
    }

    Component { id: cpuDrawing; CPUVisualBody {} }
    Component { id: memoryDrawing; MemoryVisualBody {} }
    Component { id: gpuDrawing; GPUVisualBody {} }
    Component { id: diskDrawing; DiskVisualBody {} }
    Component { id: powerDrawing; PowerVisualBody {} }
    Component { id: networkDrawing; NetworkVisualBody {} }
    Component { id: processDrawing; ProcessVisualBody {} }
}
