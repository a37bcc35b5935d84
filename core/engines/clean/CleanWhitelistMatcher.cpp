#include "core/engines/clean/CleanWhitelistMatcher.h"

#include "core/support/StandardPath.h"

namespace roror {

namespace {

const QString kFinderMetadata = QStringLiteral("FINDER_METADATA");

bool coversFinderMetadata(const QString& path)
{
    return path.endsWith(QLatin1String("/.DS_Store")) || path.contains(QLatin1String("/com.apple.finder/"))
        || path.contains(QLatin1String("/com.apple.Finder/"));
}

// A pattern written with a trailing "/" ("~/Library/Caches/App/") names that folder; the standardized
// paths it is matched against never end in "/", so taken literally it would protect nothing.
QString folderText(const QString& expandedPattern)
{
    QString folder = expandedPattern;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QRegularExpression wildcardExpression(const QString& pattern)
{
    QString escaped = QRegularExpression::escape(pattern);
    escaped.replace(QLatin1String("\\*"), QLatin1String(".*"));
    return QRegularExpression(QLatin1Char('^') + escaped + QLatin1Char('$'));
}

} // namespace

QString CleanWhitelistMatcher::expandPattern(const QString& pattern, const QString& standardizedHome)
{
    QString expanded = pattern;
    expanded.replace(QLatin1String("$HOME"), standardizedHome);
    if (expanded == QLatin1String("~"))
        return standardizedHome;
    if (expanded.startsWith(QLatin1String("~/")))
        return standardizedHome + expanded.mid(1);
    return expanded;
}

bool CleanWhitelistMatcher::matchesGlob(const QString& expandedPattern, const QString& path)
{
    if (expandedPattern.endsWith(QLatin1Char('*')))
        return path.startsWith(expandedPattern.chopped(1));
    if (!expandedPattern.contains(QLatin1Char('*')))
        return isPathInside(path, folderText(expandedPattern));
    const QRegularExpression expression = wildcardExpression(folderText(expandedPattern));
    return expression.isValid() && expression.match(path).hasMatch();
}

bool CleanWhitelistMatcher::isProtected(const QString& path, const QStringList& patterns, const QString& home)
{
    const QString standardized = standardizedPath(path);
    const QString standardizedHome = standardizedPath(home);
    for (const QString& pattern : patterns) {
        if (pattern == kFinderMetadata) {
            if (coversFinderMetadata(standardized))
                return true;
            continue;
        }
        if (matchesGlob(expandPattern(pattern, standardizedHome), standardized))
            return true;
    }
    return false;
}

CleanWhitelistMatcher::Rule CleanWhitelistMatcher::makeRule(const QString& pattern, const QString& standardizedHome)
{
    if (pattern == kFinderMetadata)
        return {Kind::finderMetadata, QString(), {}};
    const QString expanded = expandPattern(pattern, standardizedHome);
    if (expanded.endsWith(QLatin1Char('*')))
        return {Kind::prefix, expanded.chopped(1), {}};
    if (!expanded.contains(QLatin1Char('*')))
        return {Kind::folder, folderText(expanded), {}};
    return {Kind::wildcard, expanded, wildcardExpression(folderText(expanded))};
}

bool CleanWhitelistMatcher::ruleCovers(const Rule& rule, const QString& path)
{
    switch (rule.kind) {
    case Kind::finderMetadata:
        return coversFinderMetadata(path);
    case Kind::prefix:
        return path.startsWith(rule.text);
    case Kind::folder:
        return isPathInside(path, rule.text);
    case Kind::wildcard:
        return rule.expression.isValid() && rule.expression.match(path).hasMatch();
    }
    return false;
}

CleanWhitelistMatcher::CleanWhitelistMatcher(const QStringList& patterns, const QString& home)
{
    const QString standardizedHome = standardizedPath(home);
    m_rules.reserve(static_cast<size_t>(patterns.size()));
    for (const QString& pattern : patterns)
        m_rules.push_back(makeRule(pattern, standardizedHome));
}

void CleanWhitelistMatcher::addProtectedFolder(const QString& folder)
{
    m_rules.push_back({Kind::folder, folder, {}});
}

bool CleanWhitelistMatcher::covers(const QString& path) const
{
    for (const Rule& rule : m_rules) {
        if (ruleCovers(rule, path))
            return true;
    }
    return false;
}

} // namespace roror
