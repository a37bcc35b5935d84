#include "TestHttpServer.h"

#include "core/update/UpdateInstaller.h"
#include "platform/ToolRunner.h"
#include "tests/support/TestEnv.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>

using namespace roror;
using roror::test::TestHttpServer;
using Kind = UpdateInstallerState::Kind;

namespace {

const QString executableInBundle = QStringLiteral("bin/roror");

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeExecutable(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                        | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                        | QFileDevice::ExeOther);
}

// An application folder whose executable writes its own path into `marker` when started.
void makeBundle(const QString& bundlePath, const QByteArray& version, const QString& marker,
                const QString& executable = executableInBundle)
{
    QDir().mkpath(bundlePath);
    QFile versionFile(bundlePath + QStringLiteral("/VERSION"));
    ASSERT_TRUE(versionFile.open(QIODevice::WriteOnly));
    versionFile.write(version);
    versionFile.close();
    writeExecutable(bundlePath + QLatin1Char('/') + executable,
                    "#!/bin/sh\nprintf '%s' \"$0\" > '" + QFile::encodeName(marker) + "'\n");
}

// Thread-safe record of what the install's process steps were asked to do.
struct Probe {
    enum class Mode { run, record, refuse };

    Mode mode = Mode::run;
    QString workingDirectory;
    QStringList pathPrefix;

    QMutex mutex;
    QStringList arguments;
    std::atomic<bool> started{false};
    std::atomic<bool> finished{false};
    int exitCode = -1;
    QByteArray standardError;
    std::atomic<int> terminations{0};
    std::atomic<int> exits{0};
    std::atomic<bool> scriptEndedBeforeTermination{false};
};

class UpdateInstallTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        installer = std::make_unique<UpdateInstaller>();
        installer->onStateChanged = [this](const UpdateInstallerState& state) { reports.append(state); };
        cwd = env.makeDir(env.outside() + QStringLiteral("/cwd"));
        marker = env.outside() + QStringLiteral("/started-marker");
        target = env.outside() + QStringLiteral("/Applications/Roror.app");
        makeBundle(target, "old", marker);
    }

    // An exited process: started and reaped by us, so nobody has its identifier.
    static qint64 exitedProcessId()
    {
        QProcess child;
        child.start(QStringLiteral("/bin/true"), {});
        child.waitForStarted();
        const qint64 pid = child.processId();
        child.waitForFinished();
        return pid;
    }

    UpdateInstaller::RelaunchContext context(qint64 pid, const QString& bundle = QString())
    {
        UpdateInstaller::RelaunchContext c;
        c.bundlePath = bundle.isEmpty() ? target : bundle;
        c.executablePath = executableInBundle;
        c.bundleName = QStringLiteral("Roror");
        c.processId = pid;
        attachProbe(c);
        return c;
    }

    void attachProbe(UpdateInstaller::RelaunchContext& c)
    {
        probe->workingDirectory = cwd;
        std::shared_ptr<Probe> p = probe;
        c.startScript = [p](const QString& program, const QStringList& arguments) {
            {
                QMutexLocker lock(&p->mutex);
                p->arguments = QStringList{program} + arguments;
            }
            p->started = true;
            if (p->mode == Probe::Mode::refuse)
                return false;
            if (p->mode == Probe::Mode::run) {
                // The real script, run to its end so the test knows when it is done.
                QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
                if (!p->pathPrefix.isEmpty())
                    environment.insert(QStringLiteral("PATH"), p->pathPrefix.join(QLatin1Char(':')) + QLatin1Char(':')
                                                                   + environment.value(QStringLiteral("PATH")));
                ToolRunOptions options;
                options.workingDirectory = p->workingDirectory;
                options.environment = environment.toStringList();
                options.timeoutMs = 120000;
                const ToolRunResult result = runTool(program, arguments, options);
                QMutexLocker lock(&p->mutex);
                p->exitCode = result.exitedNormally ? result.exitCode : -1;
                p->standardError = result.standardError;
            }
            p->finished = true;
            return true;
        };
        c.requestTermination = [p] {
            p->scriptEndedBeforeTermination = p->finished.load();
            ++p->terminations;
        };
        c.scheduleExit = [p] { ++p->exits; };
    }

    // Packs the given folder's entries into a gzip tar image and downloads it through the installer.
    void downloadImage(const QString& stagingFolder)
    {
        const QString imagePath = env.outside() + QStringLiteral("/image.tar.gz");
        QFile::remove(imagePath);
        const ToolRunResult packed = runTool(
            QStringLiteral("/usr/bin/tar"), {QStringLiteral("-c"), QStringLiteral("-z"), QStringLiteral("-f"), imagePath,
                                             QStringLiteral("-C"), stagingFolder, QStringLiteral(".")});
        ASSERT_TRUE(packed.succeeded()) << packed.standardError.toStdString();
        downloadBytes(readAll(imagePath));
    }

    void downloadBytes(const QByteArray& bytes)
    {
        server.route(QStringLiteral("/Roror.tar.gz"), {200, "OK", bytes});
        installer->download(server.url(QStringLiteral("/Roror.tar.gz")));
        ASSERT_TRUE(test::waitFor([&] {
            return !reports.isEmpty() && (reports.last().kind == Kind::readyToInstall || reports.last().kind == Kind::failed);
        }));
        ASSERT_EQ(reports.last(), UpdateInstallerState::readyToInstall());
        reports.clear();
    }

    // A staging folder holding a new Roror.app.
    QString stageNewBundle(const QString& appName = QStringLiteral("Roror.app"))
    {
        const QString staging = env.makeDir(env.outside() + QStringLiteral("/staging"));
        makeBundle(staging + QLatin1Char('/') + appName, "new", marker);
        return staging;
    }

    // Installs and waits until the installer has either failed or handed over to the script.
    void install()
    {
        const int terminationsBefore = probe->terminations;
        installer->performInstallAndRelaunch();
        ASSERT_FALSE(reports.isEmpty());
        EXPECT_EQ(reports.first(), UpdateInstallerState::installing()); // synchronous
        ASSERT_TRUE(test::waitFor([&] { return reports.size() > 1 || probe->terminations > terminationsBefore; }, 120000));
    }

    QString mountFolder() const
    {
        const QStringList folders = QDir(QDir::tempPath()).entryList({QStringLiteral("RororUpdate-*")}, QDir::Dirs);
        return folders.size() == 1 ? QDir(QDir::tempPath()).filePath(folders.first() + QStringLiteral("/mnt")) : QString();
    }

    QStringList scriptFiles() const
    {
        return QDir(QDir::tempPath()).entryList({QStringLiteral("roror-update-*.sh")}, QDir::Files);
    }

    QStringList scriptArguments()
    {
        QMutexLocker lock(&probe->mutex);
        return probe->arguments;
    }

    test::TestEnv env;
    TestHttpServer server;
    std::unique_ptr<UpdateInstaller> installer;
    QList<UpdateInstallerState> reports;
    std::shared_ptr<Probe> probe = std::make_shared<Probe>();
    QString cwd;
    QString marker;
    QString target;
};

TEST_F(UpdateInstallTest, NothingToInstallWithoutADownload)
{
    installer->setRelaunchContext(context(exitedProcessId()));
    installer->performInstallAndRelaunch();
    EXPECT_EQ(reports, QList<UpdateInstallerState>{UpdateInstallerState::failed(
                           QStringLiteral("No downloaded update found."))}); // synchronous
    env.setLanguagePreference(QStringLiteral("chinese"));
    installer->performInstallAndRelaunch();
    EXPECT_EQ(reports.last(), UpdateInstallerState::failed(QStringLiteral("找不到已下载的更新。")));
    QTest::qWait(100);
    EXPECT_FALSE(probe->started);
    EXPECT_EQ(probe->terminations, 0);
}

TEST_F(UpdateInstallTest, RefusesACopyThatIsNotInstalled)
{
    UpdateInstaller::RelaunchContext current = UpdateInstaller::RelaunchContext::current();
    ASSERT_TRUE(current.bundlePath.isEmpty()) << "the test program runs from the build tree";
    EXPECT_EQ(current.processId, QCoreApplication::applicationPid());
    attachProbe(current);
    installer->setRelaunchContext(current);
    downloadImage(stageNewBundle());

    install();
    EXPECT_EQ(reports, (QList<UpdateInstallerState>{
                           UpdateInstallerState::installing(),
                           UpdateInstallerState::failed(QStringLiteral("Installation of the update failed."))}));
    EXPECT_FALSE(QFileInfo::exists(mountFolder()));
    EXPECT_TRUE(scriptFiles().isEmpty());
    EXPECT_FALSE(probe->started);
    EXPECT_EQ(probe->terminations, 0);
    EXPECT_EQ(readAll(target + QStringLiteral("/VERSION")), "old");
}

TEST_F(UpdateInstallTest, AnImageThatIsNotAnArchiveCannotBeMounted)
{
    installer->setRelaunchContext(context(exitedProcessId()));
    downloadBytes("<html><body>Not Found</body></html>");
    install();
    EXPECT_EQ(reports.last(), UpdateInstallerState::failed(QStringLiteral("Could not mount the disk image.")));
    EXPECT_FALSE(probe->started);
    EXPECT_EQ(probe->terminations, 0);
    EXPECT_EQ(readAll(target + QStringLiteral("/VERSION")), "old");
}

TEST_F(UpdateInstallTest, AnImageWithoutAnApplicationIsDetached)
{
    installer->setRelaunchContext(context(exitedProcessId()));
    const QString staging = env.makeDir(env.outside() + QStringLiteral("/staging"));
    env.writeFile(staging + QStringLiteral("/README"), "read me");
    env.makeDir(staging + QStringLiteral("/Roror.APP")); // the extension is matched exactly
    env.makeDir(staging + QStringLiteral("/Roror"));
    downloadImage(staging);
    install();
    EXPECT_EQ(reports.last(),
              UpdateInstallerState::failed(QStringLiteral("Could not find the application in the disk image.")));
    EXPECT_FALSE(QFileInfo::exists(mountFolder()));
    EXPECT_FALSE(probe->started);
}

TEST_F(UpdateInstallTest, PicksTheNamedApplicationThenAnyApplication)
{
    struct Case {
        QStringList apps;
        QString expected;
    };
    const Case cases[] = {
        {{QStringLiteral("Another.app"), QStringLiteral("Roror Beta.app")}, QStringLiteral("Roror Beta.app")},
        {{QStringLiteral("Other.app"), QStringLiteral("Roror.txt")}, QStringLiteral("Other.app")},
        {{QStringLiteral("Roror.APP"), QStringLiteral("Zeta.app")}, QStringLiteral("Zeta.app")},
        {{QStringLiteral("Roror.app"), QStringLiteral("Aardvark.app")}, QStringLiteral("Roror.app")},
    };
    probe->mode = Probe::Mode::record;
    installer->setRelaunchContext(context(4242));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.apps.join(QStringLiteral(", ")).toStdString());
        const QString staging = env.outside() + QStringLiteral("/staging-") + c.expected;
        for (const QString& app : c.apps)
            makeBundle(staging + QLatin1Char('/') + app, "new", marker);
        downloadImage(staging);
        const int terminationsBefore = probe->terminations;
        install();
        ASSERT_EQ(probe->terminations, terminationsBefore + 1);
        const QStringList arguments = scriptArguments();
        ASSERT_EQ(arguments.size(), 7);
        EXPECT_EQ(arguments[0], QStringLiteral("/bin/bash"));
        EXPECT_EQ(arguments[2], QStringLiteral("4242"));
        EXPECT_EQ(arguments[3], target);
        EXPECT_EQ(arguments[4], mountFolder() + QLatin1Char('/') + c.expected);
        EXPECT_EQ(arguments[5], mountFolder());
        EXPECT_EQ(arguments[6], executableInBundle);
        EXPECT_EQ(reports, QList<UpdateInstallerState>{UpdateInstallerState::installing()});
        reports.clear();
        runTool(QStringLiteral("/bin/rm"), {QStringLiteral("-rf"), QStringLiteral("--"), QFileInfo(mountFolder()).absolutePath()});
    }
}

TEST_F(UpdateInstallTest, SwapsAndStartsTheNewCopyOnceTheAppHasQuit)
{
    installer->setRelaunchContext(context(exitedProcessId()));
    downloadImage(stageNewBundle());
    const QString mount = mountFolder();
    install();

    ASSERT_TRUE(probe->finished);
    EXPECT_EQ(probe->exitCode, 0) << probe->standardError.toStdString();
    EXPECT_EQ(reports, QList<UpdateInstallerState>{UpdateInstallerState::installing()});
    // The script runs first, then this process is asked to quit and its exit is scheduled.
    EXPECT_EQ(probe->terminations, 1);
    EXPECT_EQ(probe->exits, 1);
    EXPECT_TRUE(probe->scriptEndedBeforeTermination);

    ASSERT_TRUE(test::waitFor([&] { return QFileInfo::exists(marker); }));
    EXPECT_EQ(readAll(marker), QFile::encodeName(target + QLatin1Char('/') + executableInBundle));
    EXPECT_EQ(readAll(target + QStringLiteral("/VERSION")), "new");
    EXPECT_EQ(QDir(QFileInfo(target).absolutePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("Roror.app")}); // nothing staged or set aside is left
    EXPECT_FALSE(QFileInfo::exists(mount));              // detached

    const QStringList scripts = scriptFiles();
    ASSERT_EQ(scripts.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^roror-update-[0-9A-F]{8}\\.sh$")).match(scripts.first()).hasMatch());
    const QString scriptPath = QDir(QDir::tempPath()).filePath(scripts.first());
    EXPECT_EQ(scriptArguments().value(1), scriptPath);
    EXPECT_EQ(QFileInfo(scriptPath).permissions() & QFileDevice::Permissions(0x7077), QFileDevice::Permissions(0x7055)); // 0755
}

TEST_F(UpdateInstallTest, LeavesEverythingWhileTheAppStillRuns)
{
    QProcess running;
    running.start(QStringLiteral("/bin/sleep"), {QStringLiteral("600")});
    ASSERT_TRUE(running.waitForStarted());
    installer->setRelaunchContext(context(running.processId()));
    downloadImage(stageNewBundle());
    install();
    running.kill();
    running.waitForFinished();

    ASSERT_TRUE(probe->finished);
    EXPECT_EQ(probe->exitCode, 1);
    EXPECT_TRUE(probe->standardError.contains("Roror did not quit in time.")) << probe->standardError.toStdString();
    EXPECT_EQ(readAll(target + QStringLiteral("/VERSION")), "old");
    EXPECT_FALSE(QFileInfo::exists(marker));
    EXPECT_TRUE(QFileInfo::exists(mountFolder() + QStringLiteral("/Roror.app"))); // still mounted
    EXPECT_EQ(QDir(QFileInfo(target).absolutePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("Roror.app")});
}

TEST_F(UpdateInstallTest, HostilePathNamesAreNeverRunAsCode)
{
    const QString hostile = QStringLiteral(" $(touch canary-a) `touch canary-b` \"q\" 'q' \\ ; touch canary-c");
    const QString temp = env.makeDir(QFileInfo(env.outside()).absolutePath() + QStringLiteral("/tmp") + hostile);
    qputenv("TMPDIR", QFile::encodeName(temp)); // restored by TestEnv
    const QString hostileTarget = env.outside() + QStringLiteral("/Apps") + hostile + QStringLiteral("/Roror.app");
    const QString hostileExecutable = QStringLiteral("bin/roror $(touch canary-d) `touch canary-e`");
    makeBundle(hostileTarget, "old", marker, hostileExecutable);

    const QString staging = env.makeDir(env.outside() + QStringLiteral("/staging"));
    makeBundle(staging + QStringLiteral("/Roror") + hostile + QStringLiteral(".app"), "new", marker, hostileExecutable);
    UpdateInstaller::RelaunchContext c = context(exitedProcessId(), hostileTarget);
    c.executablePath = hostileExecutable;
    installer->setRelaunchContext(c);
    downloadImage(staging);
    ASSERT_TRUE(mountFolder().startsWith(temp));
    install();

    ASSERT_TRUE(probe->finished);
    EXPECT_EQ(probe->exitCode, 0) << probe->standardError.toStdString();
    ASSERT_TRUE(test::waitFor([&] { return QFileInfo::exists(marker); }));
    EXPECT_EQ(readAll(marker), QFile::encodeName(hostileTarget + QLatin1Char('/') + hostileExecutable));
    EXPECT_EQ(readAll(hostileTarget + QStringLiteral("/VERSION")), "new");

    QStringList canaries;
    QDirIterator it(QFileInfo(env.outside()).absolutePath(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (it.fileName().startsWith(QStringLiteral("canary")))
            canaries << it.filePath();
    }
    EXPECT_TRUE(canaries.isEmpty()) << canaries.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(QDir(cwd).isEmpty());
}

TEST_F(UpdateInstallTest, AFailedSwapLeavesTheOldApplicationWorking)
{
    struct Case {
        const char* name;
        const char* tool;
        QByteArray shim;
    };
    const Case cases[] = {
        // The copy breaks off half way, as on a full disk.
        {"copy fails", "cp", "#!/bin/sh\nfor last; do :; done\nmkdir -p \"$last\"\necho partial > \"$last/partial\"\nexit 1\n"},
        // The new copy cannot be renamed into place after the old one was set aside.
        {"rename fails", "mv", "#!/bin/sh\ncase \"$3\" in\n  *.roror-update-new) exit 1 ;;\nesac\nexec /bin/mv \"$@\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reports.clear();
        probe = std::make_shared<Probe>();
        const QString shims = env.outside() + QStringLiteral("/shims-") + QString::fromUtf8(c.tool);
        writeExecutable(shims + QLatin1Char('/') + QString::fromUtf8(c.tool), c.shim);
        probe->pathPrefix = {shims};
        installer->setRelaunchContext(context(exitedProcessId()));
        downloadImage(stageNewBundle());
        install();

        ASSERT_TRUE(probe->finished);
        EXPECT_EQ(probe->exitCode, 1);
        EXPECT_EQ(readAll(target + QStringLiteral("/VERSION")), "old");
        EXPECT_TRUE(QFileInfo(target + QLatin1Char('/') + executableInBundle).isExecutable());
        EXPECT_EQ(QDir(QFileInfo(target).absolutePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("Roror.app")});
        EXPECT_FALSE(QFileInfo::exists(marker));
    }
}

TEST_F(UpdateInstallTest, ScriptThatCannotStartFails)
{
    probe->mode = Probe::Mode::refuse;
    installer->setRelaunchContext(context(exitedProcessId()));
    downloadImage(stageNewBundle());
    install();
    EXPECT_EQ(reports, (QList<UpdateInstallerState>{
                           UpdateInstallerState::installing(),
                           UpdateInstallerState::failed(QStringLiteral("Installation of the update failed."))}));
    EXPECT_EQ(probe->terminations, 0);
    EXPECT_TRUE(QFileInfo::exists(mountFolder() + QStringLiteral("/Roror.app"))); // the image stays mounted
    EXPECT_EQ(readAll(target + QStringLiteral("/VERSION")), "old");

    // After a failure the install may be tried again.
    reports.clear();
    install();
    EXPECT_EQ(reports.last(), UpdateInstallerState::failed(QStringLiteral("Installation of the update failed.")));
}

TEST_F(UpdateInstallTest, ASecondInstallWhileOneRunsDoesNothing)
{
    probe->mode = Probe::Mode::record;
    installer->setRelaunchContext(context(4242));
    downloadImage(stageNewBundle());
    installer->performInstallAndRelaunch();
    installer->performInstallAndRelaunch();
    EXPECT_EQ(reports, QList<UpdateInstallerState>{UpdateInstallerState::installing()});
    ASSERT_TRUE(test::waitFor([&] { return probe->terminations > 0; }, 120000));
    EXPECT_EQ(scriptFiles().size(), 1);
    EXPECT_EQ(probe->terminations, 1);
    EXPECT_EQ(reports, QList<UpdateInstallerState>{UpdateInstallerState::installing()});
}

} // namespace
