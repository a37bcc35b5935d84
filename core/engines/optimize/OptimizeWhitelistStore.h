#pragma once

#include "core/engines/optimize/OptimizeWhitelistOption.h"
#include "core/engines/optimize/OptimizeWhitelistState.h"

#include <QList>
#include <QSet>
#include <QString>
#include <stdexcept>

namespace roror {

// A safeguard file that exists but cannot be read, or cannot be written; description() is the
// text shown to the user.
class OptimizeWhitelistStoreError : public std::runtime_error {
public:
    explicit OptimizeWhitelistStoreError(const QString& description);
    QString description() const { return m_description; }

private:
    QString m_description;
};

// The optimization safeguard file: ~/.config/roror/whitelist_optimize, written atomically; the
// legacy ~/.config/zida/whitelist_optimize and ~/.config/zida/whitelist_checks are read when it is
// missing and are never written.
namespace OptimizeWhitelistStore {

// One option per catalogue step, in catalogue order.
QList<OptimizeWhitelistOption> options();

// No step is protected by default.
QSet<QString> defaultSelectedKeys();

// Throws OptimizeWhitelistStoreError when the file that was found cannot be read as UTF-8 text.
OptimizeWhitelistState load(const QString& home);

// Throws OptimizeWhitelistStoreError when the folder cannot be created or the file not written;
// an earlier file then stays as it was.
void save(const OptimizeWhitelistState& state, const QString& home);

} // namespace OptimizeWhitelistStore

} // namespace roror
