#include "core/engines/purge/PurgePreviewReport.h"

#include "core/model/AppLocalization.h"
#include "core/support/ByteCountFormat.h"
#include "core/support/SizedEntries.h"

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
    sortLargestFirst(m_entries, &Entry::path);
}

qint64 PurgePreviewReport::totalBytes() const
{
    return totalByteCount(m_entries);
}

QString PurgePreviewReport::totalSizeText() const
{
    return formatByteCount(totalBytes());
}

} // namespace roror
