#include "core/engines/clean/CleanWhitelistMatcher.h"

#include "core/support/StandardPath.h"

#include <QFile>
#include <climits>
#include <cstdlib>

namespace roror {

namespace {

const QString kFinderMetadata = QStringLiteral("FINDER_METADATA");

QString composed(const QString& text)
{
    return text.normalized(QString::NormalizationForm_C);
}

bool coversFinderMetadata(const QString& path)
{
    return path.endsWith(QLatin1String("/.DS_Store")) || path.contains(QLatin1String("/com.apple.finder/"))
        || path.contains(QLatin1String("/com.apple.Finder/"));
}

// "//", "." and ".." resolved and a trailing "/" dropped, on the text alone. Components holding a
// "*" are kept as written. Only absolute patterns are touched: a relative one names no fixed place.
QString standardizedPattern(const QString& pattern)
{
    if (!pattern.startsWith(QLatin1Char('/')))
        return pattern;
    QStringList parts;
    for (const QStringView component : QStringView(pattern).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (component == QLatin1String("."))
            continue;
        if (component == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(component.toString());
    }
    return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

// A trailing-star pattern: the folder part is standardized, the name start after the last "/" is a
// plain text prefix ("~/Caches/.*" names the hidden items, "~/.m2/repository/*" what is inside).
QString standardizedPrefix(const QString& prefix)
{
    if (!prefix.startsWith(QLatin1Char('/')))
        return prefix;
    const qsizetype slash = prefix.lastIndexOf(QLatin1Char('/'));
    const QString folder = standardizedPattern(prefix.left(slash).isEmpty() ? QStringLiteral("/") : prefix.left(slash));
    return (folder == QLatin1String("/") ? QString() : folder) + QLatin1Char('/') + prefix.mid(slash + 1);
}

QString withoutTrailingSlashes(QString text)
{
    while (text.size() > 1 && text.endsWith(QLatin1Char('/')))
        text.chop(1);
    return text;
}

// First position of `needle` in `haystack` (Knuth-Morris-Pratt, so never worse than linear).
qsizetype findFirst(QStringView haystack, QStringView needle)
{
    const qsizetype m = needle.size();
    if (m == 0)
        return 0;
    std::vector<qsizetype> border(static_cast<size_t>(m), 0);
    for (qsizetype i = 1, k = 0; i < m; ++i) {
        while (k > 0 && needle[i] != needle[k])
            k = border[static_cast<size_t>(k - 1)];
        if (needle[i] == needle[k])
            ++k;
        border[static_cast<size_t>(i)] = k;
    }
    for (qsizetype i = 0, k = 0; i < haystack.size(); ++i) {
        while (k > 0 && haystack[i] != needle[k])
            k = border[static_cast<size_t>(k - 1)];
        if (haystack[i] == needle[k])
            ++k;
        if (k == m)
            return i - m + 1;
    }
    return -1;
}

// The path with links resolved as far as it exists; the components that do not exist are kept as
// written. Empty when nothing of it could be resolved.
QString resolvedAsFarAsItExists(const QString& path)
{
    QString current = path;
    QStringList missing;
    while (current.size() > 1) {
        char buffer[PATH_MAX];
        if (::realpath(QFile::encodeName(current).constData(), buffer)) {
            QString resolved = QFile::decodeName(buffer);
            for (const QString& name : missing)
                resolved = joinPath(resolved, name);
            return resolved;
        }
        const qsizetype slash = current.lastIndexOf(QLatin1Char('/'));
        missing.prepend(current.mid(slash + 1));
        current = slash <= 0 ? QStringLiteral("/") : current.left(slash);
    }
    return QString();
}

} // namespace

bool CleanWhitelistMatcher::wildcardMatches(QStringView glob, QStringView text)
{
    const qsizetype firstStar = glob.indexOf(QLatin1Char('*'));
    if (firstStar < 0)
        return glob == text;
    const qsizetype lastStar = glob.lastIndexOf(QLatin1Char('*'));
    const QStringView head = glob.left(firstStar);
    const QStringView tail = glob.mid(lastStar + 1);
    if (text.size() < head.size() + tail.size() || !text.startsWith(head) || !text.endsWith(tail))
        return false;
    // With "*" as the only wildcard, taking each middle piece at its first place is never worse than
    // any later place, so one left-to-right pass decides.
    qsizetype position = head.size();
    const qsizetype end = text.size() - tail.size();
    for (qsizetype i = firstStar + 1; i < lastStar;) {
        const qsizetype nextStar = glob.indexOf(QLatin1Char('*'), i);
        const QStringView piece = glob.mid(i, nextStar - i);
        i = nextStar + 1;
        if (piece.isEmpty())
            continue;
        const qsizetype found = findFirst(text.mid(position, end - position), piece);
        if (found < 0)
            return false;
        position += found + piece.size();
    }
    return true;
}

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

bool CleanWhitelistMatcher::canEverMatch(const QString& line, const QString& home)
{
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(QLatin1Char('#')) || trimmed == kFinderMetadata)
        return true;
    const QString expanded = expandPattern(trimmed, home.isEmpty() ? QString() : standardizedPath(home));
    return expanded.startsWith(QLatin1Char('/')) || expanded.startsWith(QLatin1Char('*'));
}

CleanWhitelistMatcher::Rule CleanWhitelistMatcher::makeRule(const QString& pattern, const QString& standardizedHome)
{
    if (pattern == kFinderMetadata)
        return {Kind::finderMetadata, QString(), QString()};
    const QString expanded = composed(expandPattern(pattern, standardizedHome));
    // A star only at the end is a plain text prefix. With another star before it, the whole pattern
    // is a wildcard: taken literally, that other star would make the pattern protect nothing.
    if (expanded.endsWith(QLatin1Char('*')) && !expanded.chopped(1).contains(QLatin1Char('*')))
        return {Kind::prefix, standardizedPrefix(expanded.chopped(1)), QString()};
    if (!expanded.contains(QLatin1Char('*')))
        return {Kind::folder, withoutTrailingSlashes(standardizedPattern(expanded)), QString()};
    return wildcardRule(withoutTrailingSlashes(standardizedPattern(expanded)));
}

CleanWhitelistMatcher::Rule CleanWhitelistMatcher::wildcardRule(const QString& glob)
{
    return {Kind::wildcard, glob, glob + QStringLiteral("/*")};
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
        // The pattern followed by "/*" matches exactly the paths below a path the pattern matches.
        return wildcardMatches(rule.text, path) || wildcardMatches(rule.below, path);
    }
    return false;
}

bool CleanWhitelistMatcher::ruleLeadsTo(const Rule& rule, const QString& folderWithSlash)
{
    const QString& t = folderWithSlash;
    switch (rule.kind) {
    case Kind::finderMetadata:
        return false; // Finder's files lie in folders, never behind a link
    case Kind::prefix:
        return rule.text.startsWith(t) || t.startsWith(rule.text);
    case Kind::folder:
        return rule.text.startsWith(t);
    case Kind::wildcard: {
        // Past the first "*" any continuation can still match.
        const QStringView head = QStringView(rule.text).left(rule.text.indexOf(QLatin1Char('*')));
        return t.size() <= head.size() ? head.startsWith(t) : QStringView(t).startsWith(head);
    }
    }
    return false;
}

std::vector<CleanWhitelistMatcher::Rule> CleanWhitelistMatcher::resolvedRules(const Rule& rule)
{
    if (rule.kind == Kind::finderMetadata || !rule.text.startsWith(QLatin1Char('/')))
        return {};
    // The literal folder part that lies on disk; the rest (a name start, a wildcard) stays as written.
    qsizetype split = rule.text.size();
    if (rule.kind == Kind::prefix)
        split = rule.text.lastIndexOf(QLatin1Char('/'));
    else if (rule.kind == Kind::wildcard)
        split = rule.text.lastIndexOf(QLatin1Char('/'), rule.text.indexOf(QLatin1Char('*')));
    const QString base = rule.text.left(split);
    if (base.isEmpty())
        return {};
    const QString resolved = composed(resolvedAsFarAsItExists(base));
    if (resolved.isEmpty() || resolved == base)
        return {};
    const QString text = (resolved == QLatin1String("/") ? QString() : resolved) + rule.text.mid(split);
    return {rule.kind == Kind::wildcard ? wildcardRule(text) : Rule{rule.kind, text, QString()}};
}

bool CleanWhitelistMatcher::matchesGlob(const QString& expandedPattern, const QString& path)
{
    const Rule rule = makeRule(expandedPattern, QString());
    return rule.kind != Kind::finderMetadata && ruleCovers(rule, composed(path));
}

bool CleanWhitelistMatcher::isProtected(const QString& path, const QStringList& patterns, const QString& home)
{
    return CleanWhitelistMatcher(patterns, home).covers(standardizedPath(path));
}

CleanWhitelistMatcher::CleanWhitelistMatcher(const QStringList& patterns, const QString& home)
{
    const QString standardizedHome = standardizedPath(home);
    m_rules.reserve(static_cast<size_t>(patterns.size()));
    for (const QString& pattern : patterns) {
        const Rule rule = makeRule(pattern, standardizedHome);
        m_rules.push_back(rule);
        for (const Rule& resolved : resolvedRules(rule))
            m_rules.push_back(resolved);
    }
}

void CleanWhitelistMatcher::addProtectedFolder(const QString& folder)
{
    m_rules.push_back({Kind::folder, composed(folder), QString()});
}

bool CleanWhitelistMatcher::covers(const QString& path) const
{
    const QString p = composed(path);
    for (const Rule& rule : m_rules) {
        if (ruleCovers(rule, p))
            return true;
    }
    return false;
}

bool CleanWhitelistMatcher::leadsToProtected(const QString& path) const
{
    const QString folder = composed(path) + QLatin1Char('/');
    for (const Rule& rule : m_rules) {
        if (ruleLeadsTo(rule, folder))
            return true;
    }
    return false;
}

} // namespace roror
