// Which folders of a lived-in home count as build output: tool installs in hidden folders, committed
// folders that share a name with build output, stamps of the tools, and what git says.
#include "core/engines/purge/LocalPurgePreview.h"
#include "core/support/Log.h"
#include "platform/ToolRunner.h"
#include "tests/core/engines/QtPrinters.h"
#include "tests/support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QMap>
#include <QMutex>
#include <gtest/gtest.h>

using namespace roror;
using roror::test::TestEnv;

namespace {

const QString kGit = QStringLiteral("/usr/bin/git");

QStringList foundBelow(const PurgePreviewReport& report, const QString& root)
{
    QStringList found;
    for (const auto& e : report.entries())
        found.append(e.path.mid(root.size() + 1));
    found.sort();
    return found;
}

// Runs git in `folder` for building a fixture; the test fails when it does.
void git(const QString& folder, const QStringList& arguments)
{
    ToolRunOptions options;
    options.workingDirectory = folder;
    options.timeoutMs = 30000;
    const ToolRunResult run = runTool(kGit, arguments, options);
    ASSERT_TRUE(run.succeeded()) << "git " << arguments.join(' ').toStdString() << ": "
                                 << run.standardError.toStdString();
}

// Collects what the purge category logs at info level while it lives.
class PurgeLog {
public:
    PurgeLog()
    {
        s_lines.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("roror.purge.info=true"));
        m_previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& text) {
            if (QLatin1String(context.category) == QLatin1String("roror.purge")) {
                QMutexLocker lock(&s_mutex);
                s_lines.append(text);
            }
        });
    }
    ~PurgeLog()
    {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules(QString());
    }
    // Whether a line names `path` or a folder holding it (paths are logged quoted).
    bool mentions(const QString& path) const
    {
        QMutexLocker lock(&s_mutex);
        for (QString folder = path; folder.size() > 1; folder = QFileInfo(folder).path()) {
            for (const QString& line : s_lines) {
                if (line.contains(QLatin1Char('"') + folder + QLatin1Char('"')))
                    return true;
            }
        }
        return false;
    }

private:
    QtMessageHandler m_previous = nullptr;
    static inline QMutex s_mutex;
    static inline QStringList s_lines;
};

// A home as people keep it: tools and editors in hidden folders, projects under ~/code, some of
// them git repositories with committed folders named like build output.
class LivedInHome : public ::testing::Test {
protected:
    TestEnv env;

    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo(kGit).isExecutable()) << "scripts/setup installs git";
        // npm itself, global packages, pnpm's global store, the editor's server and extensions.
        file(".nvm/versions/node/v20.11.0/lib/node_modules/npm/package.json");
        file(".nvm/versions/node/v20.11.0/lib/node_modules/npm/lib/cli.js");
        file(".npm-global/lib/node_modules/typescript/package.json");
        file(".local/share/pnpm/global/5/package.json");
        file(".local/share/pnpm/global/5/node_modules/.pnpm/lock.yaml");
        file(".vscode-server/bin/8b3775030ed1a69b13e4f4c628c612102e30a681/package.json");
        file(".vscode-server/bin/8b3775030ed1a69b13e4f4c628c612102e30a681/node_modules/vsda/index.js");
        file(".vscode/extensions/ms-python.python-2024.2.1/package.json");
        file(".vscode/extensions/ms-python.python-2024.2.1/node_modules/vscode-jsonrpc/main.js");
        file(".config/tool/__pycache__/m.cpython-311.pyc");
        file(".cache/pip/http/a");
        file(".cargo/bin/cargo");
        // The user's own folders that merely share a name with build output.
        file("bin/backup.sh");
        file("go/bin/gopls");
        file("Documents/thesis/build/figure.pdf");
        file("Documents/taxes/out/2023.pdf");
        file("package.json");
        file("node_modules/left-pad/index.js");

        // Committed folders: a Rails app's vendor, a Go module's vendor, a Python project's
        // settings in env/, a webpack config and a CMake toolchain file in build/.
        file("code/shop/Gemfile");
        file("code/shop/app/models/order.rb");
        file("code/shop/vendor/javascript/chart.js");
        repository("code/shop");
        file("code/svc/go.mod");
        file("code/svc/main.go");
        file("code/svc/vendor/modules.txt");
        file("code/svc/vendor/github.com/pkg/errors/errors.go");
        repository("code/svc");
        file("code/settings/pyproject.toml");
        file("code/settings/env/production.yaml");
        file("code/settings/env/staging.yaml");
        repository("code/settings");
        file("code/web/package.json");
        file("code/web/build/webpack.config.js");
        file("code/web/node_modules/react/index.js");
        file("code/web/.gitignore", "node_modules/\n");
        repository("code/web");
        file("code/firmware/CMakeLists.txt");
        file("code/firmware/build/toolchain-arm.cmake");
        repository("code/firmware");

        // A repository whose build output has no stamp of its own: git's ignore rules tell.
        file("code/site/package.json");
        file("code/site/src/index.js");
        file("code/site/dist/bundle.js");
        file("code/site/out/page.html");
        file("code/site/tools/__pycache__/gen.cpython-311.pyc");
        file("code/site/.gitignore", "/dist/\n__pycache__/\n");
        repository("code/site");
        // A cache committed by mistake, and a dist that is a repository of its own (a pages branch).
        file("code/legacy/__pycache__/old.cpython-39.pyc");
        file("code/legacy/old.py");
        repository("code/legacy");
        file("code/blog/.gitignore", "dist/\n");
        file("code/blog/dist/index.html");
        repository("code/blog");
        git(env.home() + "/code/blog/dist", {"init", "-q"});

        // Projects outside git: stamps decide.
        file("code/cli/Cargo.toml");
        file("code/cli/target/CACHEDIR.TAG");
        file("code/cli/target/debug/cli");
        file("code/cli2/Cargo.toml");
        file("code/cli2/target/notes.txt");
        file("code/pyapp/.venv/pyvenv.cfg");
        file("code/pyapp/.venv/lib/python3.11/site.py");
        file("code/pyapp/venv/requirements-notes.txt");
        file("code/native/build/CMakeCache.txt");
        file("code/php/composer.json");
        file("code/php/vendor/autoload.php");
        file("code/gomod/go.mod");
        file("code/gomod/vendor/modules.txt");
        file("code/loose/node_modules/lib.js");
        file("code/dotnet/App.csproj");
        file("code/dotnet/obj/project.assets.json");
        file("code/dotnet/bin/Debug/App.dll");
        file("code/ios/Pods/Manifest.lock");
        file("code/plain/.gradle/8.5/fileHashes.bin");
        file("code/ios2/Podfile");
        file("code/ios2/Pods/Local/notes.txt");
        file("code/rusty/Cargo.toml");
        file("code/rusty/bin/run.sh");
    }

    void file(const QString& relative, const QByteArray& content = "x") { env.writeFile(relative, content); }
    void repository(const QString& relative)
    {
        git(env.home() + "/" + relative, {"init", "-q"});
        git(env.home() + "/" + relative, {"add", "-A"});
    }
};

} // namespace

TEST_F(LivedInHome, ListsOnlyWhatABuildToolMadeWithAndWithoutGit)
{
    const struct Row {
        const char* folder;
        bool withGit;
        bool withoutGit; // git missing: the index alone tells tracked folders, the stamps the rest
    } table[] = {
        // Tool installs in the home's hidden folders.
        {".nvm/versions/node/v20.11.0/lib/node_modules", false, false},
        {".npm-global/lib/node_modules", false, false},
        {".local/share/pnpm/global/5/node_modules", false, false},
        {".vscode-server/bin/8b3775030ed1a69b13e4f4c628c612102e30a681/node_modules", false, false},
        {".vscode/extensions/ms-python.python-2024.2.1/node_modules", false, false},
        {".config/tool/__pycache__", false, false},
        {".cache", false, false},
        {".cargo/bin", false, false},
        // Committed folders named like build output.
        {"code/shop/vendor", false, false},
        {"code/svc/vendor", false, false},
        {"code/settings/env", false, false},
        {"code/web/build", false, false},
        {"code/firmware/build", false, false},
        {"code/legacy/__pycache__", false, false},
        {"code/blog/dist", false, false},
        // The user's own folders.
        {"bin", false, false},
        {"go/bin", false, false},
        {"Documents/thesis/build", false, false},
        {"Documents/taxes/out", false, false},
        {"node_modules", false, false},
        {"code/ios2/Pods", false, false},
        {"code/rusty/bin", false, false},
        // Build output.
        {"code/web/node_modules", true, true},
        {"code/site/dist", true, false},
        {"code/site/out", false, false},
        {"code/site/tools/__pycache__", true, true},
        {"code/cli/target", true, true},
        {"code/cli2/target", false, false},
        {"code/pyapp/.venv", true, true},
        {"code/pyapp/venv", false, false},
        {"code/native/build", true, true},
        {"code/php/vendor", true, true},
        {"code/gomod/vendor", true, true},
        {"code/loose/node_modules", false, false},
        {"code/dotnet/obj", true, true},
        {"code/dotnet/bin", true, true},
        {"code/ios/Pods", true, true},
        {"code/plain/.gradle", true, true},
    };
    for (const bool withGit : {true, false}) {
        SCOPED_TRACE(withGit ? "with git" : "without git");
        const QString program = withGit ? kGit : env.outside() + QStringLiteral("/missing/git");
        PurgeLog log;
        const QStringList found = foundBelow(LocalPurgePreview::snapshot(env.home(), 6, program), env.home());
        QStringList expected;
        for (const Row& row : table) {
            const bool listed = withGit ? row.withGit : row.withoutGit;
            EXPECT_EQ(found.contains(QString::fromUtf8(row.folder)), listed) << row.folder;
            if (listed)
                expected.append(QString::fromUtf8(row.folder));
            else
                EXPECT_TRUE(log.mentions(env.home() + "/" + row.folder)) << "skipped without a word: " << row.folder;
        }
        expected.sort();
        EXPECT_EQ(found, expected);
    }
}

TEST_F(LivedInHome, AHiddenFolderChosenAsTheScanFolderIsSearched)
{
    file(".projects/app/package.json");
    file(".projects/app/node_modules/x.js");
    file(".projects/app/__pycache__/a.pyc");
    file(".projects/repo/.gitignore", "__pycache__/\n");
    file(".projects/repo/__pycache__/a.pyc");
    file(".projects/repo/main.py");
    repository(".projects/repo");
    const struct {
        const char* root;
        QStringList found;
    } cases[] = {
        {".local/share/pnpm/global/5", {"node_modules"}},
        {".vscode/extensions", {"ms-python.python-2024.2.1/node_modules"}},
        // What only its name marks counts there when git ignores it.
        {".projects", {"app/node_modules", "repo/__pycache__"}},
        {".config", {}},
    };
    for (const auto& c : cases) {
        const QString root = env.home() + "/" + c.root;
        EXPECT_EQ(foundBelow(LocalPurgePreview::snapshot(root, 6, kGit), root), c.found) << c.root;
    }
}

// What the scan knows of tracked and ignored folders, by what it can read and run.
TEST(PurgeRepositoryKnowledge, IndexThenGitThenStampsDecide)
{
    enum class Index { readable, split, corrupt };
    const struct {
        Index index;
        bool git;
        QStringList found;
    } cases[] = {
        {Index::readable, true, {"dist", "node_modules"}},
        {Index::readable, false, {"node_modules"}},
        // A split index names its paths in a shared file: git lists them instead.
        {Index::split, true, {"dist", "node_modules"}},
        {Index::split, false, {"node_modules", "vendor"}},
        // Neither the index nor git can tell: the stamps alone decide.
        {Index::corrupt, true, {"node_modules", "vendor"}},
        {Index::corrupt, false, {"node_modules", "vendor"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.index) * 2 + (c.git ? 0 : 1));
        TestEnv env;
        const QString repo = env.makeDir(QStringLiteral("code/svc"));
        env.writeFile(repo + "/go.mod");
        env.writeFile(repo + "/vendor/modules.txt", "# github.com/pkg/errors v0.9.1\n");
        env.writeFile(repo + "/vendor/github.com/pkg/errors/errors.go");
        env.writeFile(repo + "/settings/env/production.yaml");
        env.writeFile(repo + "/package.json");
        env.writeFile(repo + "/node_modules/x/index.js");
        env.writeFile(repo + "/dist/svc.tar.gz");
        env.writeFile(repo + "/.gitignore", "/dist/\n/node_modules/\n");
        git(repo, {"init", "-q"});
        git(repo, {"add", "-A"});
        if (c.index == Index::split) {
            git(repo, {"update-index", "--split-index"});
        } else if (c.index == Index::corrupt) {
            QFile index(repo + "/.git/index");
            ASSERT_TRUE(index.open(QIODevice::ReadWrite));
            index.seek(12);
            index.write(QByteArray(64, '\xff'));
        }
        const QString program = c.git ? kGit : env.outside() + QStringLiteral("/missing/git");
        EXPECT_EQ(foundBelow(LocalPurgePreview::snapshot(repo, 6, program), repo), c.found);
    }
}

// git is asked in batches: one run per repository however many folders wait for its word, and
// none at all when the index can be read and every folder carries a stamp.
TEST(PurgeRepositoryKnowledge, GitRunsOncePerRepository)
{
    TestEnv env;
    ASSERT_TRUE(QFileInfo(kGit).isExecutable());
    const QString calls = env.outside() + QStringLiteral("/git-calls");
    const QString wrapper = env.writeFile(env.outside() + QStringLiteral("/bin/git"),
                                          "#!/bin/sh\necho \"$(pwd -P) $*\" >> '" + QFile::encodeName(calls)
                                              + "'\nexec /usr/bin/git \"$@\"\n");
    ASSERT_TRUE(QFile::setPermissions(wrapper, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    QStringList expected;
    for (const QString name : {"one", "two"}) {
        const QString repo = env.makeDir("code/" + name);
        env.writeFile(repo + "/.gitignore", "dist/\nout/\n");
        for (int i = 0; i < 40; ++i) {
            env.writeFile(repo + QStringLiteral("/packages/p%1/dist/a.js").arg(i));
            env.writeFile(repo + QStringLiteral("/packages/p%1/out/b.js").arg(i));
            env.writeFile(repo + QStringLiteral("/packages/p%1/build/c.js").arg(i)); // tracked
            expected << QStringLiteral("%1/packages/p%2/dist").arg(name).arg(i)
                     << QStringLiteral("%1/packages/p%2/out").arg(name).arg(i);
        }
        git(repo, {"init", "-q"});
        git(repo, {"add", "-A"});
    }
    env.writeFile("code/three/package.json");
    env.writeFile("code/three/node_modules/x.js");
    git(env.home() + "/code/three", {"init", "-q"});

    const QString root = env.home() + QStringLiteral("/code");
    const QStringList found = foundBelow(LocalPurgePreview::snapshot(root, 6, wrapper), root);
    expected << QStringLiteral("three/node_modules");
    expected.sort();
    EXPECT_EQ(found, expected);
    QFile log(calls);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    QStringList runs = QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& run : runs)
        run = run.section(QLatin1Char(' '), 0, 0).mid(root.size() + 1) + " " + run.section(QLatin1Char(' '), 3, 3);
    runs.sort();
    EXPECT_EQ(runs, (QStringList{"one check-ignore", "two check-ignore"}));
}

TEST(PurgeRepositoryKnowledge, IgnoredFoldersWithUnusualNamesAreMatched)
{
    TestEnv env;
    const QString repo = env.makeDir(QStringLiteral("code/repo"));
    const QStringList projects
        = {QStringLiteral("网站"),        QStringLiteral("say \"hi\""),  QStringLiteral("tab\there"),
           QStringLiteral("back\\slash"), QStringLiteral(":(top)magic"), QStringLiteral("*")};
    env.writeFile(repo + "/.gitignore", "dist/\n");
    for (const QString& project : projects)
        env.writeFile(repo + "/" + project + "/dist/app.js");
    env.writeFile(repo + "/plain/dist/app.js");
    env.writeFile(repo + "/plain/keep.txt");
    git(repo, {"init", "-q"});
    git(repo, {"add", "-A"});
    QStringList expected;
    for (const QString& project : projects)
        expected.append(project + "/dist");
    expected.append(QStringLiteral("plain/dist"));
    expected.sort();
    EXPECT_EQ(foundBelow(LocalPurgePreview::snapshot(repo, 6, kGit), repo), expected);
}
