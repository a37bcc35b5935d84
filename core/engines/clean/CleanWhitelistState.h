#pragma once

#include <QStringList>

namespace roror {

// The Smart Clean protection list as held in memory: patterns in file order.
struct CleanWhitelistState {
    QStringList patterns;

    bool operator==(const CleanWhitelistState&) const = default;
};

} // namespace roror
