#pragma once

#include "platform/ToolRunner.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace roror {

// What the git repositories around a scanned tree say about its folders, for one scan. Each
// repository's index is read at most once; git itself is asked only in batches, so the number of
// git runs grows with the repositories, not with the folders.
class GitRepositories {
public:
    // `gitProgram` is an absolute path; when nothing can be run there, only the index is read.
    explicit GitRepositories(QString gitProgram);

    bool gitUsable() const { return m_gitUsable; }

    // Top folder of the innermost work tree holding `folder` (the folder itself included), or "".
    QString workTreeOf(const QString& folder);

    // Whether the repository at `workTree` tracks `relativePath` itself or anything below it;
    // nothing when neither its index nor git could tell.
    std::optional<bool> tracks(const QString& workTree, const QString& relativePath);

    // The `relativePaths` (below `workTree`) that git would ignore; nothing when git cannot tell.
    // Safe to call from several threads at once.
    std::optional<QSet<QString>> ignoredPaths(const QString& workTree, const QStringList& relativePaths) const;

    // Whether `data` names a SHA-256 repository (`extensions.objectFormat`) in git's config text.
    static bool configUsesSha256(const QByteArray& data);

    // One path as git prints it outside -z mode: C-quoted when it holds unusual bytes.
    static QByteArray unquotedPath(const QByteArray& line);

private:
    const std::optional<std::vector<QByteArray>>& trackedPaths(const QString& workTree);
    std::optional<std::vector<QByteArray>> readIndex(const QString& workTree);
    std::optional<std::vector<QByteArray>> listWithGit(const QString& workTree);

    ToolRunOptions gitOptions(const QString& workTree) const;

    QString m_git;
    QStringList m_environment;
    bool m_gitUsable = false;
    QHash<QString, QString> m_workTrees;                              // folder -> top, "" for none
    QHash<QString, std::optional<std::vector<QByteArray>>> m_tracked; // top -> sorted paths
};

} // namespace roror
