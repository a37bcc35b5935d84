#pragma once

#include <QString>
#include <QStringList>

namespace roror {

// The shell script that swaps the application bundle once the running copy has quit and starts the
// new copy. Every value reaches it as a positional argument, so no path is ever read as shell code.
namespace UpdateRelaunchScript {

// The script text; its arguments are those of arguments() below.
QString text();

// Where the script copies the new bundle before renaming it into place: beside the bundle it replaces.
QString stagedPath(const QString& targetBundle);

// The script's arguments: the process to wait for, the bundle to replace, the new bundle, the mount
// folder to detach afterwards, the executable inside the bundle (relative to it) and the folder the
// update was downloaded to. The script checks the new bundle again before it touches the old one,
// starts the old copy again when the swap fails after the application has quit, and removes the
// download folder and itself when it ends, whatever the outcome.
QStringList arguments(qint64 processId, const QString& targetBundle, const QString& sourceBundle,
                      const QString& mountFolder, const QString& executablePath, const QString& updateFolder);

} // namespace UpdateRelaunchScript

} // namespace roror
