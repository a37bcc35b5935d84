import QtQuick
import QtQuick.Layouts

// A centred message where a list or a page has nothing to show.
Item {
    id: root
    property string title
    property string message
    property string systemImage

    ColumnLayout {
        anchors.centerIn: parent
        spacing: 8
        Text {
            Layout.alignment: Qt.AlignHCenter
            text: root.title
            textFormat: Text.PlainText
            font.pixelSize: 16
            font.weight: Font.DemiBold
            color: AppTheme.ink
        }
        Text {
            Layout.alignment: Qt.AlignHCenter
            visible: root.message.length > 0
            text: root.message
            textFormat: Text.PlainText
            font.pixelSize: 13
            color: AppTheme.muted
        }
    }
}
