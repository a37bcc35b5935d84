#include "core/engines/purge/PurgePreviewReport.h"

#include "core/model/AppLocalization.h"
#include "core/support/ByteCountFormat.h"
#include "core/support/NaturalCompare.h"

#include <algorithm>

namespace roror {

QString PurgePreviewReport::Entry::sizeText() const
{
    return formatByteCount(byteCount);
}

std::optional<QString> PurgePreviewReport::Entry::detailText() const
{
    if (!fileCount && !directoryCount)
        return std::nullopt;
    const QString files = QString::number(fileCount.value_or(0));
    const QString folders = QString::number(directoryCount.value_or(0));
    return AppLocalization::coreText(files + QStringLiteral(" 文件 / ") + folders + QStringLiteral(" 文件夹"),
                                     files + QStringLiteral(" files / ") + folders + QStringLiteral(" folders"));
}

PurgePreviewReport::PurgePreviewReport(QString rootPath, QList<Entry> entries, QDateTime generatedAt)
    : m_rootPath(std::move(rootPath))
    , m_entries(std::move(entries))
    , m_generatedAt(std::move(generatedAt))
{
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        if (a.byteCount != b.byteCount)
            return a.byteCount > b.byteCount;
        return localizedStandardCompare(a.path, b.path) < 0;
    });
}

qint64 PurgePreviewReport::totalBytes() const
{
    qint64 total = 0;
    for (const Entry& entry : m_entries)
        total += entry.byteCount;
    return total;
}

QString PurgePreviewReport::totalSizeText() const
{
    return formatByteCount(totalBytes());
}

} // namespace roror
