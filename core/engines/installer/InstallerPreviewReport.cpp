#include "core/engines/installer/InstallerPreviewReport.h"

#include "core/support/ByteCountFormat.h"
#include "core/support/NaturalCompare.h"

#include <algorithm>

namespace roror {

QString InstallerPreviewReport::Entry::sizeText() const
{
    return formatByteCount(byteCount);
}

InstallerPreviewReport::InstallerPreviewReport(QList<Entry> entries, QDateTime generatedAt)
    : m_entries(std::move(entries))
    , m_generatedAt(std::move(generatedAt))
{
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        if (a.byteCount != b.byteCount)
            return a.byteCount > b.byteCount;
        return localizedStandardCompare(a.name, b.name) < 0;
    });
}

qint64 InstallerPreviewReport::totalBytes() const
{
    qint64 total = 0;
    for (const Entry& entry : m_entries)
        total += entry.byteCount;
    return total;
}

QString InstallerPreviewReport::totalSizeText() const
{
    return formatByteCount(totalBytes());
}

} // namespace roror
