// The protection lists as files (Smart Clean and optimization), and the Smart Clean matcher through
// its public operations: the input's lines are patterns, its last lines the paths to check.
#include "core/engines/clean/CleanFileError.h"
#include "core/engines/clean/CleanListText.h"
#include "core/engines/clean/CleanWhitelistMatcher.h"
#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/engines/optimize/OptimizeWhitelistStore.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QDir>
#include <algorithm>
#include <QFile>

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace roror;
    const QByteArray input = fuzz::bytes(data, size);
    const QString home = fuzz::sandbox() + QStringLiteral("/home");
    const QString config = home + QStringLiteral("/.config/roror");
    QDir().mkpath(config);

    QStringList patterns;
    writeFile(config + QStringLiteral("/whitelist"), input);
    try {
        patterns = CleanWhitelistStore::load(home).patterns;
    } catch (const CleanFileError& error) {
        error.description();
    }
    writeFile(config + QStringLiteral("/whitelist_optimize"), input);
    try {
        OptimizeWhitelistStore::load(home);
    } catch (const OptimizeWhitelistStoreError& error) {
        error.description();
    }

    // A handful of patterns and paths keeps one input's work small, whatever the patterns hold.
    const QStringList lines = CleanListText::splitAtLineBreaks(QString::fromUtf8(input));
    QStringList paths{home + QStringLiteral("/Library/Caches/app"), home,
                      home + QStringLiteral("/Library/Caches/com.apple.finder/.DS_Store")};
    for (qsizetype i = std::max<qsizetype>(0, lines.size() - 3); i < lines.size(); ++i)
        paths.append(lines.at(i).left(256));
    patterns = patterns.mid(0, 6);
    for (QString& pattern : patterns)
        pattern.truncate(128);

    CleanWhitelistMatcher matcher(patterns, home);
    if (!lines.isEmpty())
        matcher.addProtectedFolder(lines.first().left(256));
    for (const QString& path : paths)
        matcher.covers(path);
    CleanWhitelistMatcher::isProtected(paths.last(), patterns, home);
    for (qsizetype i = 0; i < patterns.size(); ++i)
        CleanWhitelistMatcher::matchesGlob(CleanWhitelistMatcher::expandPattern(patterns.at(i), home),
                                           paths.at(i % paths.size()));
    return 0;
}
