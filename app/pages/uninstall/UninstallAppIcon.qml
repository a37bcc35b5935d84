import QtQuick

// The app's icon, 24 square, decoded off the GUI thread at twice that size for sharp edges.
Item {
    id: root
    property alias source: icon.source
    implicitWidth: 24
    implicitHeight: 24

    Image {
        id: icon
        objectName: "uninstallAppIcon"
        anchors.fill: parent
        asynchronous: true
        fillMode: Image.PreserveAspectFit
        sourceSize.width: 48
        sourceSize.height: 48
        smooth: true
        mipmap: true
    }
}
