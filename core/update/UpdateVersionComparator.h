#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace roror {

// Decides whether a published release is newer than the running one: dotted versions compared
// numerically part by part, and on a tie the build numbers.
struct UpdateVersionComparator {
    UpdateVersionComparator() = delete;

    static bool isUpdateAvailable(const QString& currentVersion, const std::optional<QString>& currentBuild,
                                  const QString& latestVersion, const std::optional<QString>& latestBuild);

    // 1 when `lhs` is the higher version, -1 when it is lower, 0 when they are equal.
    static int compareVersionStrings(const QString& lhs, const QString& rhs);

private:
    static QList<qint64> versionParts(const QString& version);
    static std::optional<qint64> integerValue(const std::optional<QString>& text);
};

} // namespace roror
