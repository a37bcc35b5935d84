import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The Network card's drawing: download and upload rates over one shared-scale chart.
ColumnLayout {
    id: network
    // Set by the card frame once the drawing is made.
    property networkVisualBody body
    spacing: 8

    RowLayout {
        Layout.fillWidth: true
        spacing: 12
        NetworkRateColumn {
            objectName: "networkDown"
            Layout.fillWidth: true
            Layout.preferredWidth: 1
            label: Tr.text("下载", "Down")
            rateText: network.body.downText
            color: AppTheme.orbCool
            systemImage: "arrow.down"
        }
        NetworkRateColumn {
            objectName: "networkUp"
            Layout.fillWidth: true
            Layout.preferredWidth: 1
            label: Tr.text("上传", "Up")
            rateText: network.body.upText
            color: AppTheme.success
            systemImage: "arrow.up"
        }
    }
    NetworkChart {
        objectName: "networkChart"
        Layout.fillWidth: true
        Layout.preferredHeight: 46
        body: network.body
        downColor: AppTheme.orbCool
        upColor: AppTheme.success
        midlineColor: AppTheme.faded(AppTheme.line, 0.15)
    }
}
