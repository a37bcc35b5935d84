#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <optional>
#include <vector>

namespace roror {

// Decides whether the protection list covers a path. The static form matches one path; an object
// prepares the patterns once for a run that checks many paths.
//
// Patterns are standardized ("//", "." and ".." components, a trailing "/") and, like paths,
// compared in composed Unicode form, so a name typed one way still covers the name stored the other
// way. Every kind of pattern covers what it names and everything below it.
//
// An object files each pattern under the folder its fixed start lies in (the part before the first
// "*", up to its last "/"), so a path is only tried against the patterns filed under its ancestors:
// a walk asks once per folder (`scope`, `childScope`) and then once per name, and a long list costs
// a lookup or two per item rather than a pass over every line.
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

    // A file or folder name in the composed form the matcher compares in.
    static QString composedName(const char* name);

    // Reads the disk once: a pattern whose existing part goes through a link also covers the path
    // the link leads to.
    CleanWhitelistMatcher(const QStringList& patterns, const QString& home);
    ~CleanWhitelistMatcher();
    CleanWhitelistMatcher(const CleanWhitelistMatcher&) = delete;
    CleanWhitelistMatcher& operator=(const CleanWhitelistMatcher&) = delete;

    // Also covers `folder` and everything below it (given as an absolute, standardized path).
    void addProtectedFolder(const QString& folder);

    // `path` must already be standardized.
    bool covers(const QString& path) const;

    // True when something below `path` could be covered (the path is a folder, or a link, on the way
    // to a protected path), so removing `path` whole could take a protected item with it.
    bool leadsToProtected(const QString& path) const;

    // A name as read from the disk, composed only when a check needs it.
    class ChildName {
    public:
        explicit ChildName(const char* raw)
            : m_raw(raw)
        {
        }
        const char* raw() const { return m_raw; }
        const QString& composed() const
        {
            if (!m_composed) {
                m_text = composedName(m_raw);
                m_composed = true;
            }
            return m_text;
        }

    private:
        const char* m_raw;
        mutable QString m_text;
        mutable bool m_composed = false;
    };

    struct Anchor;
    // What the list says about the children of one folder, worked out once for the folder.
    struct Scope {
        QString path; // composed; "" for the root; kept only where a pattern needs it
        bool pathKnown = false;
        const Anchor* anchor = nullptr; // patterns filed under this folder
        std::vector<int> wildcards;     // wildcards filed here or above that can still match below
        bool everyChildCovered = false; // inside Finder's own folder
        bool everyFolderLeads = false;  // past the fixed start of a wildcard
    };

    // The scope of a folder given by its standardized path; the folder itself is not judged.
    Scope scope(const QString& folder) const;
    // The scope of the child folder `name` (composed) of `parent`.
    Scope childScope(const Scope& parent, const QString& name) const;
    // Whether the checks of a child need its composed name: without that only `everyChildCovered`
    // or a ".DS_Store" name can cover a child, and no child leads anywhere.
    bool needsNames(const Scope& scope) const;
    bool coversChild(const Scope& scope, const QString& name) const;
    bool coversChild(const Scope& scope, const ChildName& name) const;
    // For a child that is a folder or a link and is not covered.
    bool childLeadsToProtected(const Scope& scope, const QString& name) const;
    bool childLeadsToProtected(const Scope& scope, const ChildName& name) const;

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
    std::vector<Rule> resolvedRules(const Rule& rule);
    QString resolvedAsFarAsItExists(const QString& path);
    Scope rootScope() const;
    void addRule(const Rule& rule);
    Anchor& anchorAt(const QString& folder);
    bool wildcardCovers(const Scope& scope, const QString& childPath) const;

    std::vector<Rule> m_rules;            // every rule, for the root path itself
    std::vector<Rule> m_wildcards;        // filed by index under their anchors
    std::vector<QString> m_wildcardHeads; // the text before the first "*" of each
    std::vector<Rule> m_unanchored;       // no fixed folder to start from: tried on every path
    QHash<QString, std::shared_ptr<Anchor>> m_anchors;
    // Folders as written, with their links resolved; nothing where nothing is there.
    QHash<QString, std::optional<QString>> m_resolvedFolders;
    bool m_finder = false;
};

} // namespace roror
