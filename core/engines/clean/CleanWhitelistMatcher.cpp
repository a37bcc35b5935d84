#include "core/engines/clean/CleanWhitelistMatcher.h"

#include "core/support/StandardPath.h"

#include <QFile>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace roror {

namespace {

const QString kFinderMetadata = QStringLiteral("FINDER_METADATA");

// Text without a character from U+0300 on holds nothing to compose (no combining mark, no
// syllable part, nothing with a canonical replacement), and most names are such text.
QString composed(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x0300)
            return text.normalized(QString::NormalizationForm_C);
    }
    return text;
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
    return pattern.startsWith(QLatin1Char('/')) ? standardizedPath(pattern) : pattern;
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

QString parentOf(const QString& path)
{
    return path.left(std::max<qsizetype>(path.lastIndexOf(QLatin1Char('/')), 0));
}

QString finderFolder()
{
    return QStringLiteral("com.apple.finder");
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

struct CleanWhitelistMatcher::Anchor {
    QSet<QString> folders;         // child names covered with everything below them
    std::vector<QString> prefixes; // sorted: a child whose name starts with one is covered
    std::vector<int> wildcards;    // wildcards whose fixed start lies in this folder
    QSet<QString> leads;           // child names on the way to a folder that patterns are filed under
};

// The path with links resolved as far as it exists; the components that do not exist are kept as
// written. What was found (a resolved folder, or that nothing is there) is kept, since many patterns
// share their first folders.
QString CleanWhitelistMatcher::resolvedAsFarAsItExists(const QString& path)
{
    const QList<QStringView> components = QStringView(path).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const auto asWrittenFrom = [&](QString resolved, qsizetype first) {
        for (qsizetype i = first; i < components.size(); ++i) {
            resolved += QLatin1Char('/');
            resolved += components.at(i);
        }
        return resolved;
    };
    QString written;
    QString resolved;
    for (qsizetype i = 0; i < components.size(); ++i) {
        written += QLatin1Char('/');
        written += components.at(i);
        const auto known = m_resolvedFolders.constFind(written);
        if (known != m_resolvedFolders.constEnd()) {
            if (!known->has_value())
                return asWrittenFrom(resolved, i); // known not to exist
            resolved = **known;
            continue;
        }
        QString next = resolved + QLatin1Char('/');
        next += components.at(i);
        struct stat st { };
        const QByteArray encoded = QFile::encodeName(next);
        char buffer[PATH_MAX];
        if (::lstat(encoded.constData(), &st) != 0
            || (S_ISLNK(st.st_mode) && !::realpath(encoded.constData(), buffer))) {
            // The first missing component (or a link to nothing): the rest stays as written.
            m_resolvedFolders.insert(written, std::nullopt);
            return asWrittenFrom(resolved, i);
        }
        if (S_ISLNK(st.st_mode)) {
            next = composed(QFile::decodeName(buffer));
            if (next == QLatin1String("/"))
                next.clear();
        }
        m_resolvedFolders.insert(written, next);
        resolved = next;
    }
    return resolved.isEmpty() ? QStringLiteral("/") : resolved;
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
    const QString resolved = resolvedAsFarAsItExists(base);
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

QString CleanWhitelistMatcher::composedName(const char* name)
{
    for (const char* c = name; *c; ++c) {
        if (static_cast<unsigned char>(*c) >= 0x80)
            return QFile::decodeName(name).normalized(QString::NormalizationForm_C);
    }
    return QString::fromLatin1(name);
}

CleanWhitelistMatcher::CleanWhitelistMatcher(const QStringList& patterns, const QString& home)
{
    const QString standardizedHome = standardizedPath(home);
    m_rules.reserve(static_cast<size_t>(patterns.size()));
    for (const QString& pattern : patterns) {
        const Rule rule = makeRule(pattern, standardizedHome);
        addRule(rule);
        for (const Rule& resolved : resolvedRules(rule))
            addRule(resolved);
    }
    m_resolvedFolders.clear();
}

CleanWhitelistMatcher::~CleanWhitelistMatcher() = default;

CleanWhitelistMatcher::Anchor& CleanWhitelistMatcher::anchorAt(const QString& folder)
{
    std::shared_ptr<Anchor>& anchor = m_anchors[folder];
    if (!anchor)
        anchor = std::make_shared<Anchor>();
    return *anchor;
}

void CleanWhitelistMatcher::addRule(const Rule& rule)
{
    m_rules.push_back(rule);
    if (rule.kind == Kind::finderMetadata) {
        m_finder = true;
        return;
    }
    // The folder the fixed start of the pattern lies in, and the name start that follows it.
    QString fixedStart = rule.text;
    if (rule.kind == Kind::wildcard)
        fixedStart = rule.text.left(rule.text.indexOf(QLatin1Char('*')));
    if (!fixedStart.startsWith(QLatin1Char('/')) || fixedStart == QLatin1String("/")) {
        m_unanchored.push_back(rule);
        return;
    }
    const qsizetype slash = fixedStart.lastIndexOf(QLatin1Char('/'));
    const QString folder = fixedStart.left(slash);
    const QString name = fixedStart.mid(slash + 1);
    Anchor& anchor = anchorAt(folder);
    switch (rule.kind) {
    case Kind::folder:
        anchor.folders.insert(name);
        break;
    case Kind::prefix:
        anchor.prefixes.insert(std::lower_bound(anchor.prefixes.begin(), anchor.prefixes.end(), name), name);
        break;
    case Kind::wildcard:
        anchor.wildcards.push_back(static_cast<int>(m_wildcards.size()));
        m_wildcards.push_back(rule);
        m_wildcardHeads.push_back(fixedStart);
        break;
    case Kind::finderMetadata:
        break;
    }
    // Every folder on the way leads to it; once a name is marked, the folders above it are too.
    for (QString below = folder; !below.isEmpty();) {
        const QString above = parentOf(below);
        Anchor& parent = anchorAt(above);
        const QString step = below.mid(above.size() + 1);
        if (parent.leads.contains(step))
            break;
        parent.leads.insert(step);
        below = above;
    }
}

void CleanWhitelistMatcher::addProtectedFolder(const QString& folder)
{
    addRule({Kind::folder, withoutTrailingSlashes(composed(folder)), QString()});
}

CleanWhitelistMatcher::Scope CleanWhitelistMatcher::rootScope() const
{
    Scope root;
    root.pathKnown = true;
    root.anchor = m_anchors.value(QString()).get();
    if (root.anchor) {
        root.wildcards = root.anchor->wildcards;
        for (const int w : root.wildcards)
            root.everyFolderLeads
                = root.everyFolderLeads || m_wildcardHeads[static_cast<size_t>(w)] == QLatin1String("/");
    }
    return root;
}

CleanWhitelistMatcher::Scope CleanWhitelistMatcher::scope(const QString& folder) const
{
    Scope current = rootScope();
    const QString path = composed(folder);
    for (const QStringView name : QStringView(path).split(QLatin1Char('/'), Qt::SkipEmptyParts))
        current = childScope(current, name.toString());
    return current;
}

CleanWhitelistMatcher::Scope CleanWhitelistMatcher::childScope(const Scope& parent, const QString& name) const
{
    Scope child;
    child.everyChildCovered
        = m_finder && (parent.everyChildCovered || name == finderFolder() || name == QLatin1String("com.apple.Finder"));
    const bool anchorBelow = parent.anchor && parent.anchor->leads.contains(name);
    if (!parent.pathKnown || (!anchorBelow && parent.wildcards.empty() && m_unanchored.empty()))
        return child; // nothing in the list concerns anything below
    child.path = parent.path + QLatin1Char('/') + name;
    child.pathKnown = true;
    if (anchorBelow)
        child.anchor = m_anchors.value(child.path).get();
    const QString withSlash = child.path + QLatin1Char('/');
    const auto keepIfReachable = [&](int w) {
        const QString& head = m_wildcardHeads[static_cast<size_t>(w)];
        if (withSlash.startsWith(head)) {
            child.wildcards.push_back(w);
            child.everyFolderLeads = true; // past the fixed start, any folder may hold a match
        } else if (head.startsWith(withSlash)) {
            child.wildcards.push_back(w);
        }
    };
    for (const int w : parent.wildcards)
        keepIfReachable(w);
    if (child.anchor) {
        for (const int w : child.anchor->wildcards)
            keepIfReachable(w);
    }
    return child;
}

bool CleanWhitelistMatcher::needsNames(const Scope& scope) const
{
    return scope.anchor || !scope.wildcards.empty() || !m_unanchored.empty();
}

bool CleanWhitelistMatcher::coversChild(const Scope& scope, const QString& name) const
{
    if (scope.everyChildCovered || (m_finder && name == QLatin1String(".DS_Store")))
        return true;
    if (const Anchor* anchor = scope.anchor) {
        if (anchor->folders.contains(name))
            return true;
        const std::vector<QString>& prefixes = anchor->prefixes;
        if (prefixes.size() <= 8) {
            for (const QString& prefix : prefixes) {
                if (name.startsWith(prefix))
                    return true;
            }
        } else {
            for (qsizetype length = 0; length <= name.size(); ++length) {
                if (std::binary_search(prefixes.begin(), prefixes.end(), QStringView(name).left(length),
                                       [](QStringView a, QStringView b) { return a < b; }))
                    return true;
            }
        }
    }
    if (scope.wildcards.empty() && m_unanchored.empty())
        return false;
    const QString path = scope.path + QLatin1Char('/') + name;
    return wildcardCovers(scope, path) || std::any_of(m_unanchored.begin(), m_unanchored.end(), [&](const Rule& rule) {
               return ruleCovers(rule, path);
           });
}

bool CleanWhitelistMatcher::coversChild(const Scope& scope, const ChildName& name) const
{
    if (scope.everyChildCovered)
        return true;
    if (needsNames(scope))
        return coversChild(scope, name.composed());
    // No name other than these bytes composes to ".DS_Store", so it need not be decoded.
    return m_finder && std::strcmp(name.raw(), ".DS_Store") == 0;
}

bool CleanWhitelistMatcher::childLeadsToProtected(const Scope& scope, const ChildName& name) const
{
    return scope.everyFolderLeads || (needsNames(scope) && childLeadsToProtected(scope, name.composed()));
}

bool CleanWhitelistMatcher::wildcardCovers(const Scope& scope, const QString& childPath) const
{
    for (const int w : scope.wildcards) {
        const Rule& rule = m_wildcards[static_cast<size_t>(w)];
        if (ruleCovers(rule, childPath))
            return true;
    }
    return false;
}

bool CleanWhitelistMatcher::childLeadsToProtected(const Scope& scope, const QString& name) const
{
    if (scope.everyFolderLeads || (scope.anchor && scope.anchor->leads.contains(name)))
        return true;
    if (scope.wildcards.empty() && m_unanchored.empty())
        return false;
    const QString withSlash = scope.path + QLatin1Char('/') + name + QLatin1Char('/');
    for (const int w : scope.wildcards) {
        if (withSlash.startsWith(m_wildcardHeads[static_cast<size_t>(w)]))
            return true;
    }
    return std::any_of(m_unanchored.begin(), m_unanchored.end(),
                       [&](const Rule& rule) { return ruleLeadsTo(rule, withSlash); });
}

bool CleanWhitelistMatcher::covers(const QString& path) const
{
    const QString p = composed(path);
    if (!p.startsWith(QLatin1Char('/')) || p == QLatin1String("/")) {
        // Not below a folder: every pattern is tried on the text as it stands.
        return std::any_of(m_rules.begin(), m_rules.end(), [&](const Rule& rule) { return ruleCovers(rule, p); });
    }
    const QList<QStringView> names = QStringView(p).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    Scope current = rootScope();
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString name = names.at(i).toString();
        if (coversChild(current, name))
            return true; // what covers a folder covers everything below it
        if (i + 1 < names.size())
            current = childScope(current, name);
    }
    return false;
}

bool CleanWhitelistMatcher::leadsToProtected(const QString& path) const
{
    const QString p = composed(path);
    if (!p.startsWith(QLatin1Char('/')) || p == QLatin1String("/")) {
        const QString folder = p == QLatin1String("/") ? p : p + QLatin1Char('/');
        return std::any_of(m_rules.begin(), m_rules.end(), [&](const Rule& rule) { return ruleLeadsTo(rule, folder); });
    }
    const QList<QStringView> names = QStringView(p).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    Scope current = rootScope();
    for (qsizetype i = 0; i + 1 < names.size(); ++i) {
        const QString name = names.at(i).toString();
        if (coversChild(current, name))
            return true;
        current = childScope(current, name);
    }
    return !names.isEmpty() && childLeadsToProtected(current, names.last().toString());
}

} // namespace roror
