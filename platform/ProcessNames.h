#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace roror::ProcessNames {

// The kernel's name of every process, as `ps -axo comm=` prints it (at most 15 bytes, control
// characters shown as '?'), read from the process folders below `procRoot` without starting a
// tool. Nothing where the platform has no such folders.
std::optional<QStringList> commandNames(const QString& procRoot = QStringLiteral("/proc"));

} // namespace roror::ProcessNames
