import QtQuick

// A window-wide alert over a dimmed window: the application mark, a title, a message shown as
// plain text and one or two buttons. It is open while `shown` holds; the owner ends that in
// `accepted`. Closing it by the user (the cancel button, Escape) reports `dismissed`, where the
// owner ends `shown` too. While open it takes every click and key of the window.
FocusScope {
    id: root
    required property bool shown
    required property string title
    required property string message
    required property string acceptTitle
    // Empty for an alert with a single button.
    property string cancelTitle
    // The accept button carries the destructive colour.
    property bool destructive: false
    readonly property bool opened: visible
    signal accepted()
    signal dismissed()

    anchors.fill: parent
    visible: root.shown
    z: 100
    focus: root.visible
    // The card is made when the alert is first shown, so an alert that never shows costs nothing.
    onVisibleChanged: if (visible) card.active = true
    Keys.onEscapePressed: root.dismissed()
    // A one-button alert is also closed with Return, as its only choice.
    Keys.onReturnPressed: if (root.cancelTitle.length === 0) root.accepted()

    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.12)
    }
    // Nothing under the alert reacts while it is open.
    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.AllButtons
        onWheel: wheel => wheel.accepted = true
    }

    Loader {
        id: card
        anchors.centerIn: parent
        active: false
        sourceComponent: Component {
            AlertCard {
                // qmllint disable unqualified
                title: root.title
                message: root.message
                acceptTitle: root.acceptTitle
                cancelTitle: root.cancelTitle
                destructive: root.destructive
                onAccepted: root.accepted()
                onDismissed: root.dismissed()
                // qmllint enable unqualified
            }
        }
    }
}
