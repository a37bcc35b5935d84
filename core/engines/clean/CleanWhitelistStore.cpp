#include "core/engines/clean/CleanWhitelistStore.h"

#include "core/engines/clean/CleanFileError.h"
#include "core/engines/clean/CleanListText.h"
#include "core/engines/clean/CleanWhitelistMatcher.h"
#include "core/support/StandardPath.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

namespace roror::CleanWhitelistStore {

namespace {

QStringList trimmedUnique(const QStringList& items, bool dropComments)
{
    QStringList result;
    QSet<QString> seen;
    for (const QString& item : items) {
        const QString pattern = item.trimmed();
        if (pattern.isEmpty() || (dropComments && pattern.startsWith(QLatin1Char('#'))))
            continue;
        if (seen.contains(pattern))
            continue;
        seen.insert(pattern);
        result.append(pattern);
    }
    return result;
}

QString configFolder(const QString& home)
{
    return joinPath(joinPath(home, QStringLiteral(".config")), QStringLiteral("roror"));
}

} // namespace

const QStringList& defaultPatterns()
{
    static const QStringList patterns = {
        QStringLiteral("$HOME/Library/Caches/ms-playwright*"),
        QStringLiteral("$HOME/.cache/huggingface*"),
        QStringLiteral("$HOME/.m2/repository/*"),
        QStringLiteral("$HOME/.gradle/caches/*"),
        QStringLiteral("$HOME/.gradle/daemon/*"),
        QStringLiteral("$HOME/.ollama/models/*"),
        QStringLiteral("$HOME/Library/Caches/com.nssurge.surge-mac/*"),
        QStringLiteral("$HOME/Library/Application Support/com.nssurge.surge-mac/*"),
        QStringLiteral("$HOME/Library/Caches/org.R-project.R/R/renv/*"),
        QStringLiteral("$HOME/Library/Caches/pypoetry/virtualenvs*"),
        QStringLiteral("$HOME/Library/Caches/JetBrains*"),
        QStringLiteral("$HOME/Library/Caches/com.jetbrains.toolbox*"),
        QStringLiteral("$HOME/Library/Caches/tealdeer/tldr-pages"),
        QStringLiteral("$HOME/Library/Application Support/JetBrains*"),
        QStringLiteral("$HOME/Library/Caches/com.apple.finder"),
        QStringLiteral("$HOME/Library/Mobile Documents*"),
        QStringLiteral("$HOME/Library/Caches/com.apple.FontRegistry*"),
        QStringLiteral("$HOME/Library/Caches/com.apple.spotlight*"),
        QStringLiteral("$HOME/Library/Caches/com.apple.Spotlight*"),
        QStringLiteral("$HOME/Library/Caches/CloudKit*"),
        QStringLiteral("FINDER_METADATA"),
    };
    return patterns;
}

QString configURL(const QString& home)
{
    return joinPath(configFolder(home), QStringLiteral("whitelist"));
}

QString legacyConfigURL(const QString& home)
{
    return joinPath(joinPath(joinPath(home, QStringLiteral(".config")), QStringLiteral("zida")),
                    QStringLiteral("whitelist"));
}

namespace {

// The file `load` reads, or nothing when it gives the defaults without reading.
QString listFile(const QString& home)
{
    QString path = configURL(home);
    if (QFileInfo::exists(path))
        return path;
    path = legacyConfigURL(home);
    return QFileInfo::exists(path) ? path : QString();
}

CleanWhitelistState read(const QString& path)
{
    if (path.isEmpty())
        return {defaultPatterns()};
    const QStringList patterns = trimmedUnique(
        CleanListText::splitAtLineBreaks(CleanListText::readUtf8File(path, maxFileBytes)), /*dropComments=*/true);
    if (patterns.isEmpty())
        return {defaultPatterns()};
    return {patterns};
}

} // namespace

CleanWhitelistState load(const QString& home)
{
    return read(listFile(home));
}

CleanWhitelistState loadForClean(const QString& home)
{
    const QString path = listFile(home);
    CleanWhitelistState state = read(path);
    for (const QString& pattern : state.patterns) {
        if (!CleanWhitelistMatcher::canEverMatch(pattern, home))
            throw CleanFileError(CleanFileError::Kind::neverMatches, path, QStringLiteral("“%1”").arg(pattern));
    }
    return state;
}

void save(const CleanWhitelistState& state, const QString& home)
{
    const QString folder = configFolder(home);
    if (!QDir().mkpath(folder))
        throw CleanFileError(CleanFileError::Kind::folderNotCreated, folder);

    QStringList lines = {
        QStringLiteral("# Roror Whitelist - Protected paths won't be deleted"),
        QStringLiteral("# Add one path or pattern per line to keep it safe."),
        QString(),
    };
    // Comment-looking patterns are kept here; the next load reads them as comments.
    lines += trimmedUnique(state.patterns, /*dropComments=*/false);
    const QByteArray content = (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();

    const QString path = configURL(home);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw CleanFileError(CleanFileError::Kind::notWritten, path, file.errorString());
    if (file.write(content) != content.size() || !file.commit())
        throw CleanFileError(CleanFileError::Kind::notWritten, path, file.errorString());
}

} // namespace roror::CleanWhitelistStore
