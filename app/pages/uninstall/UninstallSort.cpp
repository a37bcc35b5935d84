#include "app/pages/uninstall/UninstallSort.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

namespace roror {

namespace {

UninstallSortDirection flipped(UninstallSortDirection direction)
{
    return direction == UninstallSortDirection::ascending ? UninstallSortDirection::descending
                                                          : UninstallSortDirection::ascending;
}

QCollator nameCollator()
{
    QCollator collator{QLocale::system()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

} // namespace

UninstallSortState UninstallSortState::toggledLastOpened() const
{
    if (key != UninstallSortKey::lastOpened)
        return {UninstallSortKey::lastOpened, UninstallSortDirection::ascending};
    return {key, flipped(direction)};
}

UninstallSortState UninstallSortState::toggledSize() const
{
    if (key != UninstallSortKey::size)
        return {UninstallSortKey::size, UninstallSortDirection::descending};
    return {key, flipped(direction)};
}

bool uninstallNameOrdersFirst(const QString& a, const QString& b)
{
    static thread_local const QCollator collator = nameCollator();
    return collator.compare(a, b) < 0;
}

bool uninstallCompareLastOpened(const UninstallPreviewReport::Entry& a, const UninstallPreviewReport::Entry& b,
                                UninstallSortDirection direction)
{
    if (!a.lastOpened && b.lastOpened)
        return false;
    if (a.lastOpened && !b.lastOpened)
        return true;
    if (!a.lastOpened || *a.lastOpened == *b.lastOpened)
        return uninstallNameOrdersFirst(a.name, b.name);
    return direction == UninstallSortDirection::ascending ? *a.lastOpened < *b.lastOpened
                                                          : *a.lastOpened > *b.lastOpened;
}

bool uninstallCompareSize(const UninstallPreviewReport::Entry& a, const UninstallPreviewReport::Entry& b,
                          UninstallSortDirection direction)
{
    const qint64 sa = a.appSizeBytes.value_or(0);
    const qint64 sb = b.appSizeBytes.value_or(0);
    if (sa == sb)
        return uninstallNameOrdersFirst(a.name, b.name);
    return direction == UninstallSortDirection::ascending ? sa < sb : sa > sb;
}

QList<UninstallPreviewReport::Entry> sortedUninstallEntries(const QList<UninstallPreviewReport::Entry>& entries,
                                                            UninstallSortState state)
{
    QList<UninstallPreviewReport::Entry> sorted = entries;
    const auto before = [state](const UninstallPreviewReport::Entry& a, const UninstallPreviewReport::Entry& b) {
        return state.key == UninstallSortKey::size ? uninstallCompareSize(a, b, state.direction)
                                                   : uninstallCompareLastOpened(a, b, state.direction);
    };
    std::stable_sort(sorted.begin(), sorted.end(), before);
    return sorted;
}

} // namespace roror
