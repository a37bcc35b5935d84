import QtQuick
import QtQuick.Layouts
import Roror.Kit

// A hairline across the width, at the opacity the card asks for.
Rectangle {
    id: root
    property real lineOpacity: 0.4
    Layout.fillWidth: true
    implicitHeight: 1
    color: AppTheme.faded(AppTheme.line, root.lineOpacity)
}
