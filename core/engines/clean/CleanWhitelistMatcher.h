#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <vector>

namespace roror {

// Decides whether the protection list covers a path. The static form matches one path; an object
// prepares the patterns once for a run that checks many paths.
class CleanWhitelistMatcher {
public:
    // True when any pattern covers the standardized `path`; "$HOME" (anywhere) and a leading "~"
    // stand for `home`.
    static bool isProtected(const QString& path, const QStringList& patterns, const QString& home);

    // One expanded pattern against one standardized path: a trailing "*" is a plain text prefix, no
    // "*" covers the path and everything below it, an inner "*" is a whole-path wildcard.
    static bool matchesGlob(const QString& expandedPattern, const QString& path);

    // "$HOME" is replaced everywhere; "~" only where it stands first ("~" or "~/..."), as the shell does.
    static QString expandPattern(const QString& pattern, const QString& standardizedHome);

    CleanWhitelistMatcher(const QStringList& patterns, const QString& home);

    // Also covers `folder` and everything below it (given as an absolute, standardized path).
    void addProtectedFolder(const QString& folder);

    // `path` must already be standardized.
    bool covers(const QString& path) const;

private:
    enum class Kind { finderMetadata, prefix, folder, wildcard };
    struct Rule {
        Kind kind;
        QString text;
        QRegularExpression expression;
    };
    static Rule makeRule(const QString& pattern, const QString& standardizedHome);
    static bool ruleCovers(const Rule& rule, const QString& path);

    std::vector<Rule> m_rules;
};

} // namespace roror
