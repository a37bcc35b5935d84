#pragma once

#include <QString>
#include <QStringList>

namespace roror::HomeTrash {

// The user's own Trash on the home volume: on Linux the freedesktop Trash below the data folder
// ($XDG_DATA_HOME, else ~/.local/share), on macOS ~/.Trash.
QString folder(const QString& home);

// The folders inside the Trash that hold what was trashed; emptying the Trash empties these and keeps
// them (the freedesktop "files" and "info", emptied together). Empty where the Trash folder itself
// holds the items.
QStringList contentFolders();

} // namespace roror::HomeTrash
