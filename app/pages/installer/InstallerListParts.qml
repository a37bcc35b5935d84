import QtQuick

// The header rows handed to the results section. They live in a file of its own because the
// section's loader cannot build components bound to the file that declares them (as the panel's
// are, for its delegate); the header reaches the page through this object.
QtObject {
    id: root
    required property InstallerPage page

    readonly property Component header: Component {
        InstallerListHeader {
            // qmllint disable unqualified
            page: root.page
            // qmllint enable unqualified
        }
    }
}
