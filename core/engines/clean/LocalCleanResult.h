#pragma once

#include <QString>
#include <optional>

namespace roror {

// What a real clean did. Entries and items turned away by a guard are counted nowhere.
struct LocalCleanResult {
    qint64 removedCount = 0;
    qint64 failedCount = 0;
    qint64 removedBytes = 0; // allocated size of everything actually removed
    // Set when the run was stopped before removing anything (the protection list could not be read);
    // the text is meant for the user.
    std::optional<QString> errorDescription;

    bool operator==(const LocalCleanResult&) const = default;
};

} // namespace roror
