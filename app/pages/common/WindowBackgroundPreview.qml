import QtQuick
import Roror.App
import Roror.Kit

// The square tile of the custom window background: the picture fitted inside a rounded tile, or
// the desktop symbol while no picture is set or the file is not a picture. A new path or
// revision reloads the picture.
Item {
    id: root
    // Path of the background image; empty while the system's is in use.
    property string url
    property int revision: 0
    property real previewSize: 80
    readonly property string identity: (url.length > 0 ? url : "none") + "-" + revision
    readonly property bool showsPicture: url.length > 0 && ImagePreviews.canShow(url, revision)

    implicitWidth: previewSize
    implicitHeight: previewSize
    width: previewSize
    height: previewSize

    Rectangle {
        anchors.fill: parent
        radius: 10
        color: AppTheme.faded(AppTheme.line, 0.12)
    }
    FittedImagePreview {
        objectName: "windowBackgroundPicture"
        anchors.fill: parent
        visible: root.showsPicture
        url: root.showsPicture ? root.url : ""
        revision: root.revision
        cornerRadius: 10
    }
    SymbolImage {
        objectName: "windowBackgroundPlaceholder"
        anchors.centerIn: parent
        visible: !root.showsPicture
        systemName: "desktopcomputer"
        size: 22
        weight: Font.Light
        color: AppTheme.quiet
    }
    Rectangle {
        anchors.fill: parent
        radius: 10
        color: "transparent"
        border.width: 0.8
        border.color: AppTheme.faded(AppTheme.line, 0.35)
    }
}
