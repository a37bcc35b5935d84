#include "core/engines/installer/InstallerPreviewReport.h"

#include "core/support/ByteCountFormat.h"
#include "core/support/SizedEntries.h"

namespace roror {

QString InstallerPreviewReport::Entry::sizeText() const
{
    return formatByteCount(byteCount);
}

InstallerPreviewReport::InstallerPreviewReport(QList<Entry> entries, QDateTime generatedAt)
    : m_entries(std::move(entries))
    , m_generatedAt(std::move(generatedAt))
{
    sortLargestFirst(m_entries, &Entry::name);
}

qint64 InstallerPreviewReport::totalBytes() const
{
    return totalByteCount(m_entries);
}

QString InstallerPreviewReport::totalSizeText() const
{
    return formatByteCount(totalBytes());
}

} // namespace roror
