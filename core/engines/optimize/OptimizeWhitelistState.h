#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace roror {

// The optimization safeguard list in memory: the protected catalogue steps and every other key of
// the file, kept untouched in file order.
struct OptimizeWhitelistState {
    QSet<QString> selectedKeys;
    QStringList customKeys;

    bool operator==(const OptimizeWhitelistState&) const = default;
};

} // namespace roror
