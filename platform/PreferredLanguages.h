#pragma once

#include <QStringList>
#include <functional>

namespace roror {

// The user's ordered preferred languages (most preferred first), read afresh on every call.
class PreferredLanguages {
public:
    static QStringList current();

    // Replaces the platform's list (tests); an empty function restores the platform's.
    static void setSource(std::function<QStringList()> source);
};

} // namespace roror
