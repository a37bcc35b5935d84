#include "TestHttpServer.h"

#include "core/update/UpdateInstaller.h"
#include "tests/support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

using namespace roror;
using roror::test::HttpResponse;
using roror::test::TestHttpServer;
using Kind = UpdateInstallerState::Kind;

namespace {

QByteArray imageBytes(int size)
{
    QByteArray bytes;
    bytes.reserve(size);
    for (int i = 0; i < size; ++i)
        bytes.append(char(i * 7 % 251));
    return bytes;
}

class UpdateDownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        installer.onStateChanged = [this](const UpdateInstallerState& state) { reports.append(state); };
    }

    bool ended() const
    {
        return !reports.isEmpty()
            && (reports.last().kind == Kind::readyToInstall || reports.last().kind == Kind::failed);
    }

    QStringList updateFolders() const
    {
        return QDir(QDir::tempPath()).entryList({QStringLiteral("RororUpdate-*")}, QDir::Dirs);
    }

    QStringList partialFiles() const
    {
        return QDir(QDir::tempPath()).entryList({QStringLiteral("roror-download-*")}, QDir::Files);
    }

    // With no stored image, an install attempt reports exactly that and nothing else.
    void expectNothingToInstall()
    {
        reports.clear();
        installer.performInstallAndRelaunch();
        EXPECT_EQ(
            reports,
            QList<UpdateInstallerState>{UpdateInstallerState::failed(QStringLiteral("No downloaded update found."))});
    }

    test::TestEnv env;
    TestHttpServer server;
    UpdateInstaller installer;
    QList<UpdateInstallerState> reports;
};

TEST_F(UpdateDownloadTest, ReportsProgressThenStoresTheImage)
{
    const QByteArray image = imageBytes(3 * 1024 * 1024 + 17);
    server.route(QStringLiteral("/Roror.tar.gz"), {200, "OK", image});

    installer.download(server.url(QStringLiteral("/Roror.tar.gz")));
    ASSERT_EQ(reports, QList<UpdateInstallerState>{UpdateInstallerState::downloading(0.0)}); // synchronous
    ASSERT_TRUE(test::waitFor([&] { return ended(); }));

    EXPECT_EQ(reports.last(), UpdateInstallerState::readyToInstall());
    const QList<UpdateInstallerState> progress = reports.mid(1, reports.size() - 2);
    ASSERT_FALSE(progress.isEmpty());
    double previous = 0.0;
    for (const UpdateInstallerState& state : progress) {
        ASSERT_EQ(state.kind, Kind::downloading);
        EXPECT_GE(state.progress, previous);
        EXPECT_LE(state.progress, 1.0);
        // Each value is bytes received / bytes expected.
        const double received = state.progress * double(image.size());
        EXPECT_NEAR(received, std::round(received), 1e-6);
        previous = state.progress;
    }
    EXPECT_EQ(progress.last().progress, 1.0);

    const QStringList folders = updateFolders();
    ASSERT_EQ(folders.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^RororUpdate-[0-9A-F]{8}$")).match(folders.first()).hasMatch());
    QFile stored(QDir(QDir::tempPath()).filePath(folders.first() + QStringLiteral("/Roror.dmg")));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readAll(), image);
    EXPECT_TRUE(partialFiles().isEmpty());
}

TEST_F(UpdateDownloadTest, UnknownLengthReportsNoProgress)
{
    server.route(QStringLiteral("/Roror.tar.gz"), {200, "OK", imageBytes(200000), {}, false});
    installer.download(server.url(QStringLiteral("/Roror.tar.gz")));
    ASSERT_TRUE(test::waitFor([&] { return ended(); }));
    EXPECT_EQ(
        reports,
        (QList<UpdateInstallerState>{UpdateInstallerState::downloading(0.0), UpdateInstallerState::readyToInstall()}));
    EXPECT_EQ(updateFolders().size(), 1);
}

TEST_F(UpdateDownloadTest, NonSuccessStatusFailsAndStoresNothing)
{
    const int statuses[] = {404, 500, 403};
    for (const int status : statuses) {
        SCOPED_TRACE(status);
        reports.clear();
        const QString path = QStringLiteral("/image-%1").arg(status);
        server.route(path, {status, "Nope", "<html>error page</html>"});
        installer.download(server.url(path));
        ASSERT_TRUE(test::waitFor([&] { return ended(); }));
        EXPECT_EQ(reports.last(), UpdateInstallerState::failed(QStringLiteral("Download failed: HTTP %1").arg(status)));
        for (const UpdateInstallerState& state : reports)
            EXPECT_NE(state.kind, Kind::readyToInstall);
    }
    EXPECT_TRUE(updateFolders().isEmpty());
    EXPECT_TRUE(partialFiles().isEmpty());

    // An error page is not an image: nothing can be installed afterwards.
    expectNothingToInstall();
}

TEST_F(UpdateDownloadTest, OnlyHttpsOrLoopbackHttpIsFetched)
{
    struct Case {
        const char* url;
        bool allowed;
    };
    const Case cases[] = {
        {"https://updates.example.org/Roror.tar.gz", true},
        {"HTTPS://updates.example.org/Roror.tar.gz", true},
        {"http://127.0.0.1:8080/Roror.tar.gz", true},
        {"http://127.1.2.3/Roror.tar.gz", true},
        {"http://[::1]:8080/Roror.tar.gz", true},
        {"http://localhost/Roror.tar.gz", true},
        {"http://updates.example.org/Roror.tar.gz", false},
        {"http://10.0.0.1/Roror.tar.gz", false},
        {"http://127.0.0.1.example.org/Roror.tar.gz", false},
        {"ftp://127.0.0.1/Roror.tar.gz", false},
        {"file:///tmp/Roror.tar.gz", false},
        {"https:///Roror.tar.gz", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(UpdateInstaller::isAllowedDownloadURL(QUrl(QString::fromUtf8(c.url))), c.allowed);
    }

    // A refused address is reported like any failed download and never fetched.
    const QString feedFile = env.writeFile(QStringLiteral("Roror.tar.gz"), "image");
    installer.download(QUrl::fromLocalFile(feedFile));
    ASSERT_TRUE(test::waitFor([&] { return ended(); }));
    EXPECT_EQ(reports,
              (QList<UpdateInstallerState>{UpdateInstallerState::downloading(0.0),
                                           UpdateInstallerState::failed(QStringLiteral(
                                               "Download failed: updates are only downloaded over https"))}));
    EXPECT_TRUE(updateFolders().isEmpty());
}

TEST_F(UpdateDownloadTest, FollowsARedirectThatKeepsToTheRule)
{
    const QByteArray image = imageBytes(5000);
    server.route(QStringLiteral("/Roror.tar.gz"), {200, "OK", image});
    server.route(QStringLiteral("/latest"),
                 {302, "Found", {}, {{"Location", server.url(QStringLiteral("/Roror.tar.gz")).toEncoded()}}});
    installer.download(server.url(QStringLiteral("/latest")));
    ASSERT_TRUE(test::waitFor([&] { return ended(); }));
    EXPECT_EQ(reports.last(), UpdateInstallerState::readyToInstall());
    EXPECT_EQ(server.requestCount(QStringLiteral("/Roror.tar.gz")), 1);
}

TEST_F(UpdateDownloadTest, TransportFailureIsReported)
{
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    installer.download(QUrl(QStringLiteral("http://127.0.0.1:%1/Roror.tar.gz").arg(closedPort)));
    ASSERT_TRUE(test::waitFor([&] { return ended(); }));
    ASSERT_EQ(reports.last().kind, Kind::failed);
    EXPECT_FALSE(reports.last().message.isEmpty());

    // A connection that breaks off mid-body fails too, and leaves no partial file.
    reports.clear();
    server.route(QStringLiteral("/cut"), {200, "OK", imageBytes(100000), {}, true, 1000});
    installer.download(server.url(QStringLiteral("/cut")));
    ASSERT_TRUE(test::waitFor([&] { return server.heldCount() == 1; }));
    server.dropHeld();
    ASSERT_TRUE(test::waitFor([&] { return ended(); }));
    EXPECT_EQ(reports.last().kind, Kind::failed);
    EXPECT_TRUE(updateFolders().isEmpty());
    EXPECT_TRUE(partialFiles().isEmpty());
}

TEST_F(UpdateDownloadTest, CancelReportsNothingMore)
{
    server.route(QStringLiteral("/slow"), {200, "OK", imageBytes(500000), {}, true, 100000});
    installer.download(server.url(QStringLiteral("/slow")));
    ASSERT_TRUE(test::waitFor([&] { return server.heldCount() == 1 && reports.size() > 1; }));
    EXPECT_EQ(reports.last(), UpdateInstallerState::downloading(0.2));

    installer.cancel();
    const qsizetype reportsAtCancel = reports.size();
    // The transfer really stops: the server sees the connection go away.
    ASSERT_TRUE(test::waitFor([&] { return server.closedCount() == 1; }));
    server.releaseHeld();
    QTest::qWait(200); // let anything still queued arrive
    EXPECT_EQ(reports.size(), reportsAtCancel);
    for (const UpdateInstallerState& state : reports)
        EXPECT_EQ(state.kind, Kind::downloading);
    EXPECT_TRUE(updateFolders().isEmpty());
    EXPECT_TRUE(partialFiles().isEmpty());

    // Nothing was downloaded, so nothing can be installed.
    expectNothingToInstall();
}

TEST_F(UpdateDownloadTest, CancelAfterTheDownloadForgetsTheImage)
{
    server.route(QStringLiteral("/Roror.tar.gz"), {200, "OK", imageBytes(1000)});
    installer.download(server.url(QStringLiteral("/Roror.tar.gz")));
    ASSERT_TRUE(test::waitFor([&] { return ended(); }));
    ASSERT_EQ(reports.last(), UpdateInstallerState::readyToInstall());
    installer.cancel();
    expectNothingToInstall();
    EXPECT_EQ(updateFolders().size(), 1); // the stored image itself is left in place
}

TEST_F(UpdateDownloadTest, AnOldDownloadNeverLandsOnANewOne)
{
    const QByteArray image = imageBytes(20000);
    server.route(QStringLiteral("/old"), {200, "OK", imageBytes(400000), {}, true, 50000});
    server.route(QStringLiteral("/new"), {200, "OK", image});

    // Replaced without a cancel: the old transfer breaking off later must not fail the new one.
    installer.download(server.url(QStringLiteral("/old")));
    ASSERT_TRUE(test::waitFor([&] { return server.heldCount() == 1; }));
    installer.download(server.url(QStringLiteral("/new")));
    server.dropHeld();
    ASSERT_TRUE(test::waitFor([&] { return ended(); }));
    QTest::qWait(200);
    EXPECT_EQ(reports.last(), UpdateInstallerState::readyToInstall());
    for (const UpdateInstallerState& state : reports)
        EXPECT_NE(state.kind, Kind::failed);

    // Cancelled, then a new download: the same.
    reports.clear();
    installer.download(server.url(QStringLiteral("/old")));
    ASSERT_TRUE(test::waitFor([&] { return server.heldCount() == 1; }));
    installer.cancel();
    installer.download(server.url(QStringLiteral("/new")));
    server.dropHeld();
    ASSERT_TRUE(test::waitFor([&] { return ended(); }));
    QTest::qWait(200);
    EXPECT_EQ(reports.last(), UpdateInstallerState::readyToInstall());
    for (const UpdateInstallerState& state : reports)
        EXPECT_NE(state.kind, Kind::failed);

    // Two finished downloads, two folders; the older one is left in place.
    EXPECT_EQ(updateFolders().size(), 2);
}

TEST_F(UpdateDownloadTest, AStreamThatNeverEndsStopsAtTheLimit)
{
    UpdateInstaller::Limits limits;
    limits.downloadBytes = 4 << 20;
    installer.setLimits(limits);
    HttpResponse endless{200, "OK", imageBytes(64 * 1024)};
    endless.endless = true;
    server.route(QStringLiteral("/endless"), endless);
    installer.download(server.url(QStringLiteral("/endless")));
    ASSERT_TRUE(test::waitFor([&] { return ended(); }));
    EXPECT_EQ(
        reports,
        (QList<UpdateInstallerState>{UpdateInstallerState::downloading(0.0),
                                     UpdateInstallerState::failed(QStringLiteral(
                                         "Download failed: the update is larger than the download limit of 4 MiB"))}));
    // The connection is closed from our side, and nothing received is kept.
    ASSERT_TRUE(test::waitFor([&] { return server.closedCount() == 1; }));
    EXPECT_TRUE(updateFolders().isEmpty());
    EXPECT_TRUE(partialFiles().isEmpty());
    expectNothingToInstall();
}

TEST_F(UpdateDownloadTest, AnAnnouncedLengthPastTheLimitIsRefusedAtOnce)
{
    // The server announces one byte more than 1 GiB, sends a little and then waits.
    const HttpResponse huge{200, "OK", imageBytes(1000), {{"Content-Length", "1073741825"}}, false, 1000};
    server.route(QStringLiteral("/huge"), huge);
    const struct {
        const char* preference;
        const char* message;
    } cases[] = {
        {"english", "Download failed: the update is larger than the download limit of 1 GiB"},
        {"chinese", "下载失败：更新超过了 1 GiB 的下载上限"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.preference);
        env.setLanguagePreference(QString::fromUtf8(c.preference));
        reports.clear();
        const int closedBefore = server.closedCount();
        installer.download(server.url(QStringLiteral("/huge")));
        ASSERT_TRUE(test::waitFor([&] { return ended(); }));
        EXPECT_EQ(reports.last(), UpdateInstallerState::failed(QString::fromUtf8(c.message)));
        ASSERT_TRUE(test::waitFor([&] { return server.closedCount() == closedBefore + 1; }));
        EXPECT_TRUE(updateFolders().isEmpty());
        EXPECT_TRUE(partialFiles().isEmpty());
    }
}

TEST(UpdateInstallerMessages, BothLanguages)
{
    test::TestEnv env;
    struct Case {
        UpdateInstallerError error;
        const char* zh;
        const char* en;
    };
    const Case cases[] = {
        {UpdateInstallerError::downloadFailed(QStringLiteral("timeout")), "下载失败：timeout",
         "Download failed: timeout"},
        {UpdateInstallerError::downloadCancelled(), "下载已取消。", "Download was cancelled."},
        {UpdateInstallerError::mountFailed(), "无法挂载磁盘映像。", "Could not mount the disk image."},
        {UpdateInstallerError::appNotFoundInDMG(), "磁盘映像中找不到应用。",
         "Could not find the application in the disk image."},
        {UpdateInstallerError::installFailed(), "安装更新失败。", "Installation of the update failed."},
        {UpdateInstallerError::noDownloadedUpdate(), "找不到已下载的更新。", "No downloaded update found."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.error.errorDescription(), QString::fromUtf8(c.en));
    env.setLanguagePreference(QStringLiteral("chinese"));
    for (const Case& c : cases)
        EXPECT_EQ(c.error.errorDescription(), QString::fromUtf8(c.zh));

    EXPECT_EQ(UpdateInstallerError::downloadFailed(QStringLiteral("a")),
              UpdateInstallerError::downloadFailed(QStringLiteral("a")));
    EXPECT_NE(UpdateInstallerError::downloadFailed(QStringLiteral("a")),
              UpdateInstallerError::downloadFailed(QStringLiteral("b")));
    EXPECT_NE(UpdateInstallerState::downloading(0.5), UpdateInstallerState::downloading(0.25));
    EXPECT_NE(UpdateInstallerState::failed(QStringLiteral("a")), UpdateInstallerState::failed(QStringLiteral("b")));
    EXPECT_NE(UpdateInstallerState::idle(), UpdateInstallerState::installing());
}

} // namespace
