import QtQuick
import Roror.Kit

// The header row handed to the results section. It lives in a file of its own because the
// section's loader cannot build components bound to the file that declares them (as the panel's
// are, for its delegate).
QtObject {
    readonly property Component header: Component {
        PurgeTableHeader {}
    }
}
