#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace roror {

// Decides whether the protection list covers a path. The static form matches one path; an object
// prepares the patterns once for a run that checks many paths.
//
// Patterns are standardized ("//", "." and ".." components, a trailing "/") and, like paths,
// compared in composed Unicode form, so a name typed one way still covers the name stored the other
// way. Every kind of pattern covers what it names and everything below it.
class CleanWhitelistMatcher {
public:
    // True when any pattern covers the standardized `path`; "$HOME" (anywhere) and a leading "~"
    // stand for `home`.
    static bool isProtected(const QString& path, const QStringList& patterns, const QString& home);

    // One expanded pattern against one standardized path: a single trailing "*" is a plain text
    // prefix, no "*" covers the path and everything below it, any other "*" makes a wildcard over the
    // whole path that covers what it matches and everything below that.
    static bool matchesGlob(const QString& expandedPattern, const QString& path);

    // Whole-text wildcard match where each "*" stands for any run of characters ("/" included) and
    // every other character for itself. Linear in the lengths of both texts.
    static bool wildcardMatches(QStringView glob, QStringView text);

    // "$HOME" is replaced everywhere; "~" only where it stands first ("~" or "~/..."), as the shell does.
    static QString expandPattern(const QString& pattern, const QString& standardizedHome);

    // Whether a list line can ever cover a path: a comment, the Finder keyword, or a pattern that is
    // absolute (or starts with "*") once expanded. A relative line would silently protect nothing.
    static bool canEverMatch(const QString& line, const QString& home);

    // Reads the disk once: a pattern whose existing part goes through a link also covers the path
    // the link leads to.
    CleanWhitelistMatcher(const QStringList& patterns, const QString& home);

    // Also covers `folder` and everything below it (given as an absolute, standardized path).
    void addProtectedFolder(const QString& folder);

    // `path` must already be standardized.
    bool covers(const QString& path) const;

    // True when something below `path` could be covered (the path is a folder, or a link, on the way
    // to a protected path), so removing `path` whole could take a protected item with it.
    bool leadsToProtected(const QString& path) const;

private:
    enum class Kind { finderMetadata, prefix, folder, wildcard };
    struct Rule {
        Kind kind;
        QString text;
        QString below; // a wildcard followed by "/*": what lies below a matched path
    };
    static Rule wildcardRule(const QString& glob);
    static Rule makeRule(const QString& pattern, const QString& standardizedHome);
    static bool ruleCovers(const Rule& rule, const QString& path);
    static bool ruleLeadsTo(const Rule& rule, const QString& folderWithSlash);
    static std::vector<Rule> resolvedRules(const Rule& rule);

    std::vector<Rule> m_rules;
};

} // namespace roror
