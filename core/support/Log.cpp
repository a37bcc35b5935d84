#include "core/support/Log.h"

namespace roror::log {

Q_LOGGING_CATEGORY(model, "roror.model", QtWarningMsg)
Q_LOGGING_CATEGORY(clean, "roror.clean", QtWarningMsg)
Q_LOGGING_CATEGORY(optimize, "roror.optimize", QtWarningMsg)
Q_LOGGING_CATEGORY(uninstall, "roror.uninstall", QtWarningMsg)
Q_LOGGING_CATEGORY(installer, "roror.installer", QtWarningMsg)
Q_LOGGING_CATEGORY(purge, "roror.purge", QtWarningMsg)
Q_LOGGING_CATEGORY(analysis, "roror.analysis", QtWarningMsg)
Q_LOGGING_CATEGORY(trash, "roror.trash", QtWarningMsg)
Q_LOGGING_CATEGORY(status, "roror.status", QtWarningMsg)
Q_LOGGING_CATEGORY(update, "roror.update", QtWarningMsg)

} // namespace roror::log
