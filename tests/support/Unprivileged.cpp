#include "tests/support/Unprivileged.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace roror::test {

namespace {

// The temporary folder the program started with, before any test moved TMPDIR into a folder of
// its own that only root can enter.
const QString& startTemporaryFolder()
{
    static const QString folder = QDir::tempPath();
    return folder;
}
[[maybe_unused]] const QString& rememberedAtStart = startTemporaryFolder();

} // namespace

bool ranUnprivileged()
{
    if (::geteuid() != 0)
        return false;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString name
        = QString::fromUtf8(info->test_suite_name()) + QLatin1Char('.') + QString::fromUtf8(info->name());

    const passwd* user = ::getpwnam("nobody");
    const group* team = ::getgrnam("nogroup");
    if (!user || !team) {
        ADD_FAILURE() << "the unprivileged run needs the user nobody and the group nogroup";
        return true;
    }
    QTemporaryDir folder(startTemporaryFolder() + QStringLiteral("/roror-unprivileged-XXXXXX"));
    if (!folder.isValid()) {
        ADD_FAILURE() << "no temporary folder for the unprivileged run: " << folder.errorString().toStdString();
        return true;
    }
    // The program is copied in, so a build tree that nobody may enter still works.
    const QString program = folder.path() + QStringLiteral("/test-program");
    if (!QFile::copy(QCoreApplication::applicationFilePath(), program)
        || ::chown(QFile::encodeName(folder.path()).constData(), user->pw_uid, team->gr_gid) != 0
        || ::chown(QFile::encodeName(program).constData(), user->pw_uid, team->gr_gid) != 0
        || !QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner)) {
        ADD_FAILURE() << "could not prepare the unprivileged run in " << folder.path().toStdString();
        return true;
    }

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), folder.path());
    environment.insert(QStringLiteral("HOME"), folder.path());
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(folder.path());
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=%1").arg(user->pw_uid), QStringLiteral("--regid=%1").arg(team->gr_gid),
                 QStringLiteral("--clear-groups"), QStringLiteral("--"), program,
                 QStringLiteral("--gtest_filter=") + name, QStringLiteral("--gtest_color=no")});
    if (!child.waitForStarted(30000)) {
        ADD_FAILURE() << "setpriv did not start: " << child.errorString().toStdString();
        return true;
    }
    child.waitForFinished(240000);
    const QByteArray output = child.readAll();
    const bool passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0
        && output.contains("[  PASSED  ] 1 test.") && !output.contains("[  SKIPPED ]");
    EXPECT_TRUE(passed) << "the unprivileged run of " << name.toStdString() << " did not pass:\n"
                        << output.toStdString();
    return true;
}

} // namespace roror::test
