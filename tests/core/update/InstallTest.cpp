#include "TestHttpServer.h"

#include "core/update/UpdateInstaller.h"
#include "core/update/UpdateRelaunchScript.h"
#include "platform/ToolRunner.h"
#include "tests/support/TestEnv.h"
#include "tests/support/Unprivileged.h"

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
    QFileDevice::Permissions scriptPermissions;
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
                p->scriptPermissions = QFileInfo(arguments.value(0)).permissions();
            }
            p->started = true;
            if (p->mode == Probe::Mode::refuse)
                return false;
            if (p->mode == Probe::Mode::run) {
                // The real script, run to its end so the test knows when it is done.
                QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
                if (!p->pathPrefix.isEmpty())
                    environment.insert(QStringLiteral("PATH"),
                                       p->pathPrefix.join(QLatin1Char(':')) + QLatin1Char(':')
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
        const ToolRunResult packed = runTool(QStringLiteral("/usr/bin/tar"),
                                             {QStringLiteral("-c"), QStringLiteral("-z"), QStringLiteral("-f"),
                                              imagePath, QStringLiteral("-C"), stagingFolder, QStringLiteral(".")});
        ASSERT_TRUE(packed.succeeded()) << packed.standardError.toStdString();
        downloadBytes(readAll(imagePath));
    }

    void downloadBytes(const QByteArray& bytes)
    {
        server.route(QStringLiteral("/Roror.tar.gz"), {200, "OK", bytes});
        installer->download(server.url(QStringLiteral("/Roror.tar.gz")));
        ASSERT_TRUE(test::waitFor([&] {
            return !reports.isEmpty()
                && (reports.last().kind == Kind::readyToInstall || reports.last().kind == Kind::failed);
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
        ASSERT_TRUE(
            test::waitFor([&] { return reports.size() > 1 || probe->terminations > terminationsBefore; }, 120000));
    }

    QString mountFolder() const
    {
        const QStringList folders = QDir(QDir::tempPath()).entryList({QStringLiteral("RororUpdate-*")}, QDir::Dirs);
        return folders.size() == 1 ? QDir(QDir::tempPath()).filePath(folders.first() + QStringLiteral("/mnt"))
                                   : QString();
    }

    QStringList updateFolders() const
    {
        return QDir(QDir::tempPath()).entryList({QStringLiteral("RororUpdate-*")}, QDir::Dirs | QDir::Hidden);
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
    EXPECT_EQ(reports,
              QList<UpdateInstallerState>{
                  UpdateInstallerState::failed(QStringLiteral("No downloaded update found."))}); // synchronous
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
    EXPECT_EQ(reports,
              (QList<UpdateInstallerState>{
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
    EXPECT_TRUE(updateFolders().isEmpty()); // the useless download is gone
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
    EXPECT_TRUE(updateFolders().isEmpty());
    EXPECT_FALSE(probe->started);
}

TEST_F(UpdateInstallTest, InstallsOnlyAnApplicationNamedLikeTheInstalledOne)
{
    struct Case {
        QStringList apps;
        QString expected; // the application handed to the script; empty when the install must fail
        QString failure;
    };
    const Case cases[] = {
        {{QStringLiteral("Aardvark.app"), QStringLiteral("Roror.app")}, QStringLiteral("Roror.app"), {}},
        // The exact name wins over an earlier entry that merely contains it.
        {{QStringLiteral("Roror Beta.app"), QStringLiteral("Roror.app")}, QStringLiteral("Roror.app"), {}},
        {{QStringLiteral("Another.app"), QStringLiteral("Roror Beta.app")},
         {},
         QStringLiteral("Installation of the update failed. The disk image holds Roror Beta.app, not Roror.app.")},
        {{QStringLiteral("Other.app")},
         {},
         QStringLiteral("Installation of the update failed. The disk image holds Other.app, not Roror.app.")},
        {{QStringLiteral("Roror.APP"), QStringLiteral("Zeta.app")},
         {},
         QStringLiteral("Installation of the update failed. The disk image holds Zeta.app, not Roror.app.")},
    };
    probe->mode = Probe::Mode::record;
    installer->setRelaunchContext(context(4242));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.apps.join(QStringLiteral(", ")).toStdString());
        const QString staging = env.outside() + QStringLiteral("/staging-") + c.apps.join(QLatin1Char('-'));
        for (const QString& app : c.apps)
            makeBundle(staging + QLatin1Char('/') + app, "new", marker);
        downloadImage(staging);
        const QString mount = mountFolder();
        const int terminationsBefore = probe->terminations;
        install();
        if (c.expected.isEmpty()) {
            EXPECT_EQ(reports,
                      (QList<UpdateInstallerState>{UpdateInstallerState::installing(),
                                                   UpdateInstallerState::failed(c.failure)}));
            EXPECT_EQ(probe->terminations, terminationsBefore);
            EXPECT_TRUE(updateFolders().isEmpty());
            EXPECT_TRUE(scriptFiles().isEmpty());
            EXPECT_EQ(readAll(target + QStringLiteral("/VERSION")), "old");
            reports.clear();
            continue;
        }
        ASSERT_EQ(probe->terminations, terminationsBefore + 1);
        const QStringList arguments = scriptArguments();
        ASSERT_EQ(arguments.size(), 8);
        EXPECT_EQ(arguments[0], QStringLiteral("/bin/bash"));
        EXPECT_EQ(arguments[2], QStringLiteral("4242"));
        EXPECT_EQ(arguments[3], target);
        EXPECT_EQ(arguments[4], mount + QLatin1Char('/') + c.expected);
        EXPECT_EQ(arguments[5], mount);
        EXPECT_EQ(arguments[6], executableInBundle);
        EXPECT_EQ(arguments[7], QFileInfo(mount).absolutePath());
        EXPECT_EQ(reports, QList<UpdateInstallerState>{UpdateInstallerState::installing()});
        reports.clear();
        runTool(QStringLiteral("/bin/rm"),
                {QStringLiteral("-rf"), QStringLiteral("--"), QFileInfo(mount).absolutePath(), arguments[1]});
    }
}

TEST_F(UpdateInstallTest, AnIncompleteCopyIsRefusedAndTheOldOneKept)
{
    // A complete application elsewhere, for the links to point at.
    const QString elsewhere = env.outside() + QStringLiteral("/elsewhere/Roror.app");
    makeBundle(elsewhere, "foreign", marker);
    struct Case {
        const char* name;
        std::function<void(const QString& staging)> build;
        QString failure;
    };
    const QString notAFolder
        = QStringLiteral("Installation of the update failed. Roror.app in the disk image is not a folder.");
    const QString noProgram
        = QStringLiteral("Installation of the update failed. Roror.app in the disk image lacks its program bin/roror.");
    const Case cases[] = {
        {"no executable",
         [](const QString& staging) {
             QDir().mkpath(staging + QStringLiteral("/Roror.app/bin"));
             QFile f(staging + QStringLiteral("/Roror.app/VERSION"));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         },
         noProgram},
        {"executable bit missing",
         [this](const QString& staging) {
             makeBundle(staging + QStringLiteral("/Roror.app"), "new", marker);
             QFile::setPermissions(staging + QStringLiteral("/Roror.app/bin/roror"),
                                   QFileDevice::ReadOwner | QFileDevice::WriteOwner);
         },
         noProgram},
        {"program folder is a link",
         [elsewhere](const QString& staging) {
             QDir().mkpath(staging + QStringLiteral("/Roror.app"));
             ASSERT_TRUE(QFile::link(elsewhere + QStringLiteral("/bin"), staging + QStringLiteral("/Roror.app/bin")));
         },
         noProgram},
        {"regular file",
         [](const QString& staging) {
             QDir().mkpath(staging);
             QFile f(staging + QStringLiteral("/Roror.app"));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("#!/bin/sh\n");
         },
         notAFolder},
        {"link to a folder elsewhere",
         [elsewhere](const QString& staging) {
             QDir().mkpath(staging);
             ASSERT_TRUE(QFile::link(elsewhere, staging + QStringLiteral("/Roror.app")));
         },
         notAFolder},
    };
    installer->setRelaunchContext(context(exitedProcessId()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reports.clear();
        const QString staging = env.outside() + QStringLiteral("/staging-") + QString::fromUtf8(c.name);
        c.build(staging);
        downloadImage(staging);
        install();
        EXPECT_EQ(
            reports,
            (QList<UpdateInstallerState>{UpdateInstallerState::installing(), UpdateInstallerState::failed(c.failure)}));
        EXPECT_FALSE(probe->started);
        EXPECT_EQ(probe->terminations, 0);
        EXPECT_EQ(readAll(target + QStringLiteral("/VERSION")), "old");
        EXPECT_TRUE(QFileInfo(target + QLatin1Char('/') + executableInBundle).isExecutable());
        EXPECT_TRUE(updateFolders().isEmpty());
        EXPECT_TRUE(scriptFiles().isEmpty());
        EXPECT_EQ(readAll(elsewhere + QStringLiteral("/VERSION")), "foreign");
    }
    env.setLanguagePreference(QStringLiteral("chinese"));
    reports.clear();
    downloadImage(env.outside() + QStringLiteral("/staging-regular file"));
    install();
    EXPECT_EQ(reports.last(),
              UpdateInstallerState::failed(QStringLiteral("安装更新失败。磁盘映像里的 Roror.app 不是一个文件夹。")));
}

TEST_F(UpdateInstallTest, TheScriptChecksTheNewCopyAgainBeforeTouchingTheOldOne)
{
    // What the image holds may change between the installer's check and the swap; the script
    // refuses on its own, and removes the download and itself either way.
    const QString elsewhere = env.outside() + QStringLiteral("/elsewhere/Roror.app");
    makeBundle(elsewhere, "foreign", marker);
    struct Case {
        const char* name;
        QString source;
        std::function<void(const QString& source)> build;
    };
    const Case cases[] = {
        {"no executable", QStringLiteral("Roror.app"),
         [](const QString& source) { QDir().mkpath(source + QStringLiteral("/bin")); }},
        {"regular file", QStringLiteral("Roror.app"),
         [](const QString& source) {
             QFile f(source);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         }},
        {"link", QStringLiteral("Roror.app"),
         [elsewhere](const QString& source) { ASSERT_TRUE(QFile::link(elsewhere, source)); }},
        {"other name", QStringLiteral("Other.app"),
         [this](const QString& source) { makeBundle(source, "new", marker); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString work = env.makeDir(env.outside() + QStringLiteral("/work-") + QString::fromUtf8(c.name));
        const QString mount = env.makeDir(work + QStringLiteral("/mnt"));
        const QString source = mount + QLatin1Char('/') + c.source;
        c.build(source);
        const QString script = work + QStringLiteral(".sh");
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(UpdateRelaunchScript::text().toUtf8());
        file.close();
        const ToolRunResult run = runTool(
            QStringLiteral("/bin/bash"),
            QStringList{script}
                + UpdateRelaunchScript::arguments(exitedProcessId(), target, source, mount, executableInBundle, work));
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.standardError.contains("Roror found no complete application in the update."))
            << run.standardError.toStdString();
        EXPECT_EQ(readAll(target + QStringLiteral("/VERSION")), "old");
        EXPECT_EQ(QDir(QFileInfo(target).absolutePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("Roror.app")});
        EXPECT_FALSE(QFileInfo::exists(work));
        EXPECT_FALSE(QFileInfo::exists(script));
        EXPECT_EQ(readAll(elsewhere + QStringLiteral("/VERSION")), "foreign");
        // The application has quit, so its old copy starts again.
        EXPECT_TRUE(run.standardError.contains("Roror starts the old copy again.")) << run.standardError.toStdString();
        ASSERT_TRUE(test::waitFor([&] { return QFileInfo::exists(marker); }));
        EXPECT_EQ(readAll(marker), QFile::encodeName(target + QLatin1Char('/') + executableInBundle));
        QFile::remove(marker);
    }
}

TEST_F(UpdateInstallTest, AScriptThatCannotBeWrittenFailsAndTheAppKeepsRunning)
{
    installer->setRelaunchContext(context(exitedProcessId()));
    downloadImage(stageNewBundle());
    // The temporary folder is now a file, so no script can be written there.
    const QString blocked = env.writeFile(env.outside() + QStringLiteral("/not-a-folder"), "x");
    const QByteArray previous = qgetenv("TMPDIR");
    const QString updateFolder = QFileInfo(mountFolder()).absolutePath();
    qputenv("TMPDIR", QFile::encodeName(blocked));
    install();
    qputenv("TMPDIR", previous);
    EXPECT_EQ(reports,
              (QList<UpdateInstallerState>{
                  UpdateInstallerState::installing(),
                  UpdateInstallerState::failed(QStringLiteral(
                      "Installation of the update failed. The relaunch script could not be written."))}));
    EXPECT_FALSE(probe->started);
    EXPECT_EQ(probe->terminations, 0);
    EXPECT_EQ(probe->exits, 0);
    EXPECT_FALSE(QFileInfo::exists(updateFolder));
    EXPECT_TRUE(scriptFiles().isEmpty());
    EXPECT_EQ(readAll(target + QStringLiteral("/VERSION")), "old");
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
    EXPECT_TRUE(updateFolders().isEmpty());              // the download is gone
    EXPECT_TRUE(scriptFiles().isEmpty());                // and so is the script

    const QString scriptPath = scriptArguments().value(1);
    EXPECT_EQ(QFileInfo(scriptPath).absolutePath(), QDir::tempPath());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^roror-update-[0-9A-F]{8}\\.sh$"))
                    .match(QFileInfo(scriptPath).fileName())
                    .hasMatch());
    QMutexLocker lock(&probe->mutex);
    EXPECT_EQ(probe->scriptPermissions & QFileDevice::Permissions(0x7077), QFileDevice::Permissions(0x7055)); // 0755
}

TEST_F(UpdateInstallTest, LeavesTheOldCopyWhileTheAppStillRuns)
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
    EXPECT_TRUE(updateFolders().isEmpty()); // the script cleans up after itself also when it gives up
    EXPECT_TRUE(scriptFiles().isEmpty());
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
    // The new copy's own path is hostile through the temporary folder it is unpacked in.
    makeBundle(staging + QStringLiteral("/Roror.app"), "new", marker, hostileExecutable);
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
        {"copy fails", "cp",
         "#!/bin/sh\nfor last; do :; done\nmkdir -p \"$last\"\necho partial > \"$last/partial\"\nexit 1\n"},
        // The new copy cannot be renamed into place after the old one was set aside.
        {"rename fails", "mv",
         "#!/bin/sh\ncase \"$3\" in\n  *.roror-update-new) exit 1 ;;\nesac\nexec /bin/mv \"$@\"\n"},
        // A step without a message of its own fails: the script still ends there and recovers.
        {"clearing the staging place fails", "rm",
         "#!/bin/sh\ncase \"$3\" in\n  *.roror-update-new) exit 1 ;;\nesac\nexec /bin/rm \"$@\"\n"},
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
        // The old copy, back in its place, is started again.
        ASSERT_TRUE(test::waitFor([&] { return QFileInfo::exists(marker); }));
        EXPECT_EQ(readAll(marker), QFile::encodeName(target + QLatin1Char('/') + executableInBundle));
        QFile::remove(marker);
    }
}

// Sets the immutable flag on a path for the life of the object; false from set() when the file
// system or our privileges do not allow it.
class Immutable {
public:
    bool set(const QString& path)
    {
        m_path = path;
        m_set = runTool(QStringLiteral("/usr/bin/chattr"), {QStringLiteral("+i"), QStringLiteral("--"), path})
                    .succeeded();
        return m_set;
    }
    ~Immutable()
    {
        if (m_set)
            runTool(QStringLiteral("/usr/bin/chattr"), {QStringLiteral("-i"), QStringLiteral("--"), m_path});
    }

private:
    QString m_path;
    bool m_set = false;
};

TEST_F(UpdateInstallTest, AnInstallPlaceThatRefusesTheSwapFailsBeforeTheAppQuits)
{
    const QString applications = QFileInfo(target).absolutePath();
    struct Case {
        const char* name;
        QString immutable;
        QString failure;
    };
    const Case cases[] = {
        {"immutable folder", applications,
         QStringLiteral("Installation of the update failed. The new version cannot be put in the folder %1.")
             .arg(applications)},
        {"immutable bundle", target,
         QStringLiteral("Installation of the update failed. The installed copy %1 cannot be replaced.").arg(target)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reports.clear();
        installer->setRelaunchContext(context(exitedProcessId()));
        downloadImage(stageNewBundle());
        Immutable flag;
        if (!flag.set(c.immutable))
            GTEST_SKIP() << "the immutable flag cannot be set here";
        install();
        EXPECT_EQ(
            reports,
            (QList<UpdateInstallerState>{UpdateInstallerState::installing(), UpdateInstallerState::failed(c.failure)}));
        EXPECT_FALSE(probe->started);
        EXPECT_EQ(probe->terminations, 0);
        EXPECT_EQ(probe->exits, 0);
        EXPECT_TRUE(updateFolders().isEmpty());
        EXPECT_TRUE(scriptFiles().isEmpty());
        EXPECT_EQ(readAll(target + QStringLiteral("/VERSION")), "old");
        EXPECT_EQ(QDir(applications).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("Roror.app")});
    }
}

TEST_F(UpdateInstallTest, AFolderWithoutWritePermissionFailsBeforeTheAppQuits)
{
    if (test::ranUnprivileged())
        return;
    const QString applications = QFileInfo(target).absolutePath();
    installer->setRelaunchContext(context(exitedProcessId()));
    downloadImage(stageNewBundle());
    const QFileDevice::Permissions writable = QFileInfo(applications).permissions();
    ASSERT_TRUE(QFile::setPermissions(applications, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    install();
    QFile::setPermissions(applications, writable);
    EXPECT_EQ(
        reports,
        (QList<UpdateInstallerState>{
            UpdateInstallerState::installing(),
            UpdateInstallerState::failed(
                QStringLiteral("Installation of the update failed. The new version cannot be put in the folder %1.")
                    .arg(applications))}));
    EXPECT_FALSE(probe->started);
    EXPECT_EQ(probe->terminations, 0);
    EXPECT_TRUE(updateFolders().isEmpty());
    EXPECT_EQ(readAll(target + QStringLiteral("/VERSION")), "old");

    env.setLanguagePreference(QStringLiteral("chinese"));
    reports.clear();
    downloadImage(stageNewBundle());
    QFile::setPermissions(applications, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    install();
    QFile::setPermissions(applications, writable);
    EXPECT_EQ(
        reports.last(),
        UpdateInstallerState::failed(QStringLiteral("安装更新失败。无法在文件夹 %1 中放置新版本。").arg(applications)));
}

TEST_F(UpdateInstallTest, AnArchiveThatUnpacksTooLargeIsRefused)
{
    const auto randomBytes = [](qsizetype size) {
        QByteArray bytes(size, Qt::Uninitialized);
        quint32 state = 12345;
        for (char& byte : bytes) {
            state = state * 1664525u + 1013904223u;
            byte = char(state >> 24);
        }
        return bytes;
    };
    struct Case {
        const char* name;
        UpdateInstaller::Limits limits;
        std::function<void(const QString& bundle)> fill;
        QString failure;
    };
    UpdateInstaller::Limits small;
    small.unpackedBytes = 1 << 20;
    const Case cases[] = {
        // Zeros pack some thousand times smaller: far past 20 times the download.
        {"a bomb", UpdateInstaller::Limits{},
         [](const QString& bundle) {
             QFile payload(bundle + QStringLiteral("/payload"));
             ASSERT_TRUE(payload.open(QIODevice::WriteOnly));
             ASSERT_TRUE(payload.resize(40 << 20));
         },
         QStringLiteral(
             "Installation of the update failed. The update would unpack to more than 20 times its download size.")},
        // Data that does not pack at all, past the limit for any archive.
        {"past the absolute limit", small,
         [&randomBytes](const QString& bundle) {
             QFile payload(bundle + QStringLiteral("/payload"));
             ASSERT_TRUE(payload.open(QIODevice::WriteOnly));
             payload.write(randomBytes(2 << 20));
         },
         QStringLiteral("Installation of the update failed. The update would unpack to more than 1 MiB.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reports.clear();
        installer->setLimits(c.limits);
        installer->setRelaunchContext(context(exitedProcessId()));
        const QString staging = stageNewBundle();
        c.fill(staging + QStringLiteral("/Roror.app"));
        downloadImage(staging);
        runTool(QStringLiteral("/bin/rm"), {QStringLiteral("-rf"), QStringLiteral("--"), staging});
        install();
        EXPECT_EQ(
            reports,
            (QList<UpdateInstallerState>{UpdateInstallerState::installing(), UpdateInstallerState::failed(c.failure)}));
        EXPECT_FALSE(probe->started);
        EXPECT_EQ(probe->terminations, 0);
        EXPECT_TRUE(updateFolders().isEmpty()); // nothing unpacked is left either
        EXPECT_EQ(readAll(target + QStringLiteral("/VERSION")), "old");
    }

    env.setLanguagePreference(QStringLiteral("chinese"));
    reports.clear();
    installer->setLimits(UpdateInstaller::Limits{});
    const QString staging = stageNewBundle();
    cases[0].fill(staging + QStringLiteral("/Roror.app"));
    downloadImage(staging);
    install();
    EXPECT_EQ(reports.last(),
              UpdateInstallerState::failed(QStringLiteral("安装更新失败。更新解压后会超过其下载大小的 20 倍。")));
}

TEST_F(UpdateInstallTest, ScriptThatCannotStartFails)
{
    probe->mode = Probe::Mode::refuse;
    installer->setRelaunchContext(context(exitedProcessId()));
    downloadImage(stageNewBundle());
    install();
    EXPECT_EQ(reports,
              (QList<UpdateInstallerState>{
                  UpdateInstallerState::installing(),
                  UpdateInstallerState::failed(QStringLiteral("Installation of the update failed."))}));
    EXPECT_EQ(probe->terminations, 0);
    EXPECT_TRUE(updateFolders().isEmpty()); // nothing of the failed install is left
    EXPECT_TRUE(scriptFiles().isEmpty());
    EXPECT_EQ(readAll(target + QStringLiteral("/VERSION")), "old");

    // The image went with it, so a second try asks for a new download.
    reports.clear();
    installer->performInstallAndRelaunch();
    EXPECT_EQ(reports,
              QList<UpdateInstallerState>{UpdateInstallerState::failed(QStringLiteral("No downloaded update found."))});
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
