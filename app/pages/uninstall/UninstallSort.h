#pragma once

#include "core/engines/uninstall/UninstallPreviewReport.h"

#include <QList>

namespace roror {

enum class UninstallSortKey { lastOpened, size };
enum class UninstallSortDirection { ascending, descending };

struct UninstallSortState {
    UninstallSortKey key = UninstallSortKey::lastOpened;
    UninstallSortDirection direction = UninstallSortDirection::ascending;
    bool operator==(const UninstallSortState&) const = default;

    // "Last opened": another key switches to it ascending (least recently opened first); the
    // same key flips the direction.
    UninstallSortState toggledLastOpened() const;
    // "Size": another key switches to it descending (largest first); the same key flips.
    UninstallSortState toggledSize() const;
};

// Names compare in the user's locale, ignoring case; names equal that way keep their order.
bool uninstallNameOrdersFirst(const QString& a, const QString& b);

// Apps never opened sort after every dated app in both directions; among themselves, and for
// equal dates, by name.
bool uninstallCompareLastOpened(const UninstallPreviewReport::Entry& a, const UninstallPreviewReport::Entry& b,
                                UninstallSortDirection direction);

// A missing byte size counts as 0; equal sizes go by name whatever the direction.
bool uninstallCompareSize(const UninstallPreviewReport::Entry& a, const UninstallPreviewReport::Entry& b,
                          UninstallSortDirection direction);

// A stable sort of the report's entries.
QList<UninstallPreviewReport::Entry> sortedUninstallEntries(const QList<UninstallPreviewReport::Entry>& entries,
                                                            UninstallSortState state);

} // namespace roror
