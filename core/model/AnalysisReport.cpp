#include "core/model/AnalysisReport.h"

#include "core/model/RecordEquality.h"

#include <QUuid>

namespace roror {

using recordEquality::same;

QString AnalysisReport::Entry::id() const
{
    if (path)
        return *path;
    if (name)
        return *name;
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

const QStringList& AnalysisReport::Entry::codingKeys()
{
    static const QStringList keys{QStringLiteral("name"), QStringLiteral("path"), QStringLiteral("size"),
                                  QStringLiteral("is_dir")};
    return keys;
}

bool AnalysisReport::Entry::operator==(const Entry& o) const
{
    return same(name, o.name) && same(path, o.path) && same(size, o.size) && same(isDirectory, o.isDirectory);
}

const QStringList& AnalysisReport::codingKeys()
{
    static const QStringList keys{QStringLiteral("path"),       QStringLiteral("overview"),
                                  QStringLiteral("entries"),    QStringLiteral("large_files"),
                                  QStringLiteral("total_size"), QStringLiteral("total_files")};
    return keys;
}

bool AnalysisReport::operator==(const AnalysisReport& o) const
{
    return same(path, o.path) && same(overview, o.overview) && same(entries, o.entries)
        && same(largeFiles, o.largeFiles) && same(totalSize, o.totalSize) && same(totalFiles, o.totalFiles);
}

} // namespace roror
