#pragma once

#include <QString>
#include <QStringList>

namespace roror {

// The shell script that swaps the application bundle once the running copy has quit and starts the
// new copy. Every value reaches it as a positional argument, so no path is ever read as shell code.
namespace UpdateRelaunchScript {

// The script text; its arguments are those of arguments() below.
QString text();

// The script's arguments: the process to wait for, the bundle to replace, the new bundle, the mount
// folder to detach afterwards and the executable inside the bundle (relative to it).
QStringList arguments(qint64 processId, const QString& targetBundle, const QString& sourceBundle,
                      const QString& mountFolder, const QString& executablePath);

} // namespace UpdateRelaunchScript

} // namespace roror
