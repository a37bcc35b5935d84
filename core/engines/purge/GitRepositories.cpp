#include "core/engines/purge/GitRepositories.h"

#include "core/engines/purge/GitIndex.h"
#include "core/support/Log.h"
#include "core/support/StandardPath.h"
#include "platform/ToolRunner.h"

#include <QFile>
#include <QProcessEnvironment>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace roror {

namespace {

constexpr int kGitTimeoutMs = 10000;
// Paths handed to one git run: enough to keep runs few, well below the argument size limit.
constexpr int kBatchPaths = 1000;
constexpr qsizetype kBatchBytes = 128 * 1024;

QString parentOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

std::optional<QByteArray> readSmallFile(const QString& path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > limit)
        return std::nullopt;
    return file.read(limit);
}

// A path written in a git file (.git, commondir): absolute, or relative to the folder holding it.
QString resolvedFrom(const QString& folder, const QByteArray& written)
{
    const QString text = QFile::decodeName(written.trimmed());
    return standardizedPath(text.startsWith(QLatin1Char('/')) ? text : joinPath(folder, text));
}

// The user's GIT_DIR and friends would point git at another repository; optional locks off so a
// scan never writes into the repository it reads.
QStringList gitEnvironment()
{
    QStringList environment;
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    for (const QString& key : system.keys()) {
        if (!key.startsWith(QLatin1String("GIT_")))
            environment.append(key + QLatin1Char('=') + system.value(key));
    }
    environment.append(QStringLiteral("GIT_OPTIONAL_LOCKS=0"));
    return environment;
}

} // namespace

GitRepositories::GitRepositories(QString gitProgram)
    : m_git(std::move(gitProgram))
    , m_environment(gitEnvironment())
{
    struct stat st { };
    const QByteArray program = QFile::encodeName(m_git);
    m_gitUsable = m_git.startsWith(QLatin1Char('/')) && ::stat(program.constData(), &st) == 0 && S_ISREG(st.st_mode)
        && ::access(program.constData(), X_OK) == 0;
    if (!m_gitUsable)
        qCInfo(log::purge) << "git not available at" << m_git << "- the index alone tells tracked folders";
}

QString GitRepositories::workTreeOf(const QString& folder)
{
    QStringList visited;
    QString dir = folder;
    QString top;
    for (;;) {
        const auto known = m_workTrees.constFind(dir);
        if (known != m_workTrees.constEnd()) {
            top = *known;
            break;
        }
        visited.append(dir);
        struct stat st { };
        if (::lstat(QFile::encodeName(joinPath(dir, QStringLiteral(".git"))).constData(), &st) == 0
            && (S_ISDIR(st.st_mode) || S_ISREG(st.st_mode))) {
            top = dir;
            break;
        }
        if (dir == QLatin1String("/"))
            break;
        dir = parentOf(dir);
    }
    for (const QString& v : visited)
        m_workTrees.insert(v, top);
    return top;
}

std::optional<bool> GitRepositories::tracks(const QString& workTree, const QString& relativePath)
{
    const std::optional<std::vector<QByteArray>>& paths = trackedPaths(workTree);
    if (!paths)
        return std::nullopt;
    const QByteArray key = QFile::encodeName(relativePath);
    if (std::binary_search(paths->cbegin(), paths->cend(), key))
        return true;
    const QByteArray prefix = key + '/';
    const auto below = std::lower_bound(paths->cbegin(), paths->cend(), prefix);
    return below != paths->cend() && below->startsWith(prefix);
}

const std::optional<std::vector<QByteArray>>& GitRepositories::trackedPaths(const QString& workTree)
{
    const auto known = m_tracked.constFind(workTree);
    if (known != m_tracked.constEnd())
        return *known;
    std::optional<std::vector<QByteArray>> paths = readIndex(workTree);
    if (!paths && m_gitUsable)
        paths = listWithGit(workTree);
    if (paths)
        std::sort(paths->begin(), paths->end());
    else
        qCInfo(log::purge) << "tracked files unknown in" << workTree << "- build folder stamps alone decide there";
    return *m_tracked.insert(workTree, std::move(paths));
}

ToolRunOptions GitRepositories::gitOptions(const QString& workTree) const
{
    ToolRunOptions options;
    options.timeoutMs = kGitTimeoutMs;
    options.workingDirectory = workTree;
    options.environment = m_environment;
    return options;
}

std::optional<std::vector<QByteArray>> GitRepositories::readIndex(const QString& workTree)
{
    const QString dotGit = joinPath(workTree, QStringLiteral(".git"));
    QString gitDir = dotGit;
    struct stat st { };
    if (::lstat(QFile::encodeName(dotGit).constData(), &st) != 0)
        return std::nullopt;
    if (S_ISREG(st.st_mode)) {
        // A linked work tree or a submodule: "gitdir: <path>".
        const auto text = readSmallFile(dotGit, 4096);
        if (!text || !text->startsWith("gitdir:"))
            return std::nullopt;
        gitDir = resolvedFrom(workTree, text->mid(7));
    }
    QString commonDir = gitDir;
    if (const auto common = readSmallFile(joinPath(gitDir, QStringLiteral("commondir")), 4096))
        commonDir = resolvedFrom(gitDir, *common);
    const auto config = readSmallFile(joinPath(commonDir, QStringLiteral("config")), 1024 * 1024);
    const int hashSize = config && configUsesSha256(*config) ? 32 : 20;

    const QString indexPath = joinPath(gitDir, QStringLiteral("index"));
    if (::lstat(QFile::encodeName(indexPath).constData(), &st) != 0)
        return errno == ENOENT ? std::optional<std::vector<QByteArray>>(std::vector<QByteArray>())
                               : std::nullopt; // nothing added yet: nothing tracked
    if (!S_ISREG(st.st_mode) || st.st_size > GitIndex::maxIndexBytes)
        return std::nullopt;
    const auto data = readSmallFile(indexPath, GitIndex::maxIndexBytes);
    if (!data)
        return std::nullopt;
    const auto paths = GitIndex::readPaths(*data, hashSize);
    if (!paths) {
        qCInfo(log::purge) << "git index not readable here:" << indexPath;
        return std::nullopt;
    }
    return std::vector<QByteArray>(paths->cbegin(), paths->cend());
}

std::optional<std::vector<QByteArray>> GitRepositories::listWithGit(const QString& workTree)
{
    const ToolRunResult run = runTool(m_git, {QStringLiteral("ls-files"), QStringLiteral("-z")}, gitOptions(workTree));
    if (!run.succeeded()) {
        qCInfo(log::purge) << "git ls-files failed in" << workTree << run.standardError.trimmed();
        return std::nullopt;
    }
    std::vector<QByteArray> paths;
    for (const QByteArray& path : run.standardOutput.split('\0')) {
        if (!path.isEmpty())
            paths.push_back(path);
    }
    return paths;
}

std::optional<QSet<QString>> GitRepositories::ignoredPaths(const QString& workTree,
                                                           const QStringList& relativePaths) const
{
    if (!m_gitUsable)
        return std::nullopt;
    QSet<QString> ignored;
    for (qsizetype first = 0; first < relativePaths.size();) {
        QStringList arguments = {QStringLiteral("-c"), QStringLiteral("core.quotePath=false"),
                                 QStringLiteral("check-ignore"), QStringLiteral("--")};
        QHash<QByteArray, QString> asked;
        qsizetype bytes = 0;
        qsizetype next = first;
        for (; next < relativePaths.size() && next - first < kBatchPaths && bytes < kBatchBytes; ++next) {
            // "./" keeps a name that starts with ":" from reading as pathspec magic; git prints
            // each path back as it was given.
            const QString& path = relativePaths.at(next);
            const QString argument = QStringLiteral("./") + path;
            arguments.append(argument);
            asked.insert(QFile::encodeName(argument), path);
            bytes += argument.size() + 1;
        }
        first = next;
        const ToolRunResult run = runTool(m_git, arguments, gitOptions(workTree));
        // Status 1 means none of them is ignored; anything else but 0 is a failure.
        if (!run.started || run.timedOut || !run.exitedNormally || (run.exitCode != 0 && run.exitCode != 1)) {
            qCInfo(log::purge) << "git check-ignore failed in" << workTree << run.standardError.trimmed();
            return std::nullopt;
        }
        for (const QByteArray& line : run.standardOutput.split('\n')) {
            const auto path = asked.constFind(unquotedPath(line));
            if (path != asked.constEnd())
                ignored.insert(*path);
        }
    }
    return ignored;
}

bool GitRepositories::configUsesSha256(const QByteArray& data)
{
    for (const QByteArray& line : data.split('\n')) {
        QByteArray compact;
        for (const char c : line) {
            if (c == '#' || c == ';')
                break;
            if (c != ' ' && c != '\t' && c != '\r')
                compact.append(c);
        }
        if (compact.toLower() == "objectformat=sha256")
            return true;
    }
    return false;
}

QByteArray GitRepositories::unquotedPath(const QByteArray& line)
{
    if (line.size() < 2 || !line.startsWith('"') || !line.endsWith('"'))
        return line;
    QByteArray path;
    const qsizetype end = line.size() - 1;
    for (qsizetype i = 1; i < end; ++i) {
        const char c = line.at(i);
        if (c != '\\' || i + 1 >= end) {
            path.append(c);
            continue;
        }
        const char e = line.at(++i);
        switch (e) {
        case 'a':
            path.append('\a');
            break;
        case 'b':
            path.append('\b');
            break;
        case 't':
            path.append('\t');
            break;
        case 'n':
            path.append('\n');
            break;
        case 'v':
            path.append('\v');
            break;
        case 'f':
            path.append('\f');
            break;
        case 'r':
            path.append('\r');
            break;
        default:
            if (e >= '0' && e <= '3' && i + 2 < end && line.at(i + 1) >= '0' && line.at(i + 1) <= '7'
                && line.at(i + 2) >= '0' && line.at(i + 2) <= '7') {
                path.append(
                    static_cast<char>(((e - '0') << 6) | ((line.at(i + 1) - '0') << 3) | (line.at(i + 2) - '0')));
                i += 2;
            } else {
                path.append(e); // \" and \\ stand for themselves
            }
        }
    }
    return path;
}

} // namespace roror
