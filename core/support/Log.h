#pragma once

#include <QLoggingCategory>

// One category per subsystem, so a bug report can carry what happened. Quiet below warnings unless
// QT_LOGGING_RULES asks for more (for example "roror.*.debug=true").
namespace roror::log {

Q_DECLARE_LOGGING_CATEGORY(model)
Q_DECLARE_LOGGING_CATEGORY(clean)
Q_DECLARE_LOGGING_CATEGORY(optimize)
Q_DECLARE_LOGGING_CATEGORY(uninstall)
Q_DECLARE_LOGGING_CATEGORY(installer)
Q_DECLARE_LOGGING_CATEGORY(purge)
Q_DECLARE_LOGGING_CATEGORY(analysis)
Q_DECLARE_LOGGING_CATEGORY(trash)
Q_DECLARE_LOGGING_CATEGORY(status)
Q_DECLARE_LOGGING_CATEGORY(update)

} // namespace roror::log
