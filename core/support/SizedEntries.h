#pragma once

#include "core/support/NaturalCompare.h"

#include <QList>
#include <QString>
#include <algorithm>

namespace roror {

// The order of the cleanup preview lists: larger `byteCount` first, then by `key` in the file
// browser's order. Stable, so entries equal in both keep the order they came in.
template <typename Entry>
void sortLargestFirst(QList<Entry>& entries, QString Entry::*key)
{
    std::stable_sort(entries.begin(), entries.end(), [key](const Entry& a, const Entry& b) {
        if (a.byteCount != b.byteCount)
            return a.byteCount > b.byteCount;
        return localizedStandardCompare(a.*key, b.*key) < 0;
    });
}

template <typename Entry>
qint64 totalByteCount(const QList<Entry>& entries)
{
    qint64 total = 0;
    for (const Entry& entry : entries)
        total += entry.byteCount;
    return total;
}

} // namespace roror
