#include "tests/app/pages/PageViewSupport.h"
#include "tests/app/pages/settings/LocalHttpServer.h"

#include <gtest/gtest.h>

namespace roror::test {
namespace {

// The Settings page over the real update service, with the feed and the archive served here.
class UpdateViewEndToEnd : public ViewTest {
protected:
    void SetUp() override
    {
        qputenv("ROROR_UPDATE_FEED_URL", server.url(QStringLiteral("/feed.json")).toString().toUtf8());
        options.services = [](AppModelServices& s, const TestEnv&) {
            const AppModelServices real = AppModelServices::real();
            s.updateFeedURL = real.updateFeedURL;
            s.fetchLatestUpdate = real.fetchLatestUpdate;
            s.bundleShortVersion = real.bundleShortVersion;
            s.startUpdateDownload = real.startUpdateDownload;
        };
    }
    void TearDown() override
    {
        ViewTest::TearDown();
        qunsetenv("ROROR_UPDATE_FEED_URL");
    }

    QQuickItem* item(const char* name) { return view().find(QString::fromLatin1(name)); }
    void openAndCheck()
    {
        ASSERT_NE(view().load(QStringLiteral("Roror.Pages.Settings"), QStringLiteral("SettingsView")), nullptr);
        view().grab();
        ASSERT_TRUE(item("settingsCheckUpdates")->isEnabled());
        clickInView(view(), item("settingsCheckUpdates"));
        ASSERT_TRUE(settleUntil(
            view(), [&] { return !view().model().isCheckingForUpdates(); }, 30000));
        view().grab();
    }

    LocalHttpServer server;
};

TEST_F(UpdateViewEndToEnd, CheckDownloadAndTheReadySheet)
{
    const QUrl archive = server.url(QStringLiteral("/Roror-99.0.tar.gz"));
    server.route(QStringLiteral("/feed.json"), 200,
                 QStringLiteral("{\"version\": \"99.0\", \"download_url\": \"%1\"}").arg(archive.toString()).toUtf8());
    server.route(archive.path(), 200, QByteArray(512 * 1024, 'r'));
    openAndCheck();
    EXPECT_EQ(textOf(item("settingsUpdateStatus")), QStringLiteral("New version available: v99.0."));
    EXPECT_EQ(textOf(item("settingsLatestVersion")->findChild<QQuickItem*>(QStringLiteral("settingsInfoDetail"))),
              QStringLiteral("v99.0"));
    ASSERT_TRUE(shown(item("settingsInstallUpdate")));

    clickInView(view(), item("settingsInstallUpdate"));
    ASSERT_TRUE(settleUntil(
        view(), [&] { return shown(item("updateReady")); }, 30000))
        << textOf(item("updateFailureMessage")).toStdString();
    EXPECT_TRUE(shown(item("updateInstall")));
    EXPECT_TRUE(shown(item("updateLater")));
    view().click(item("updateLater"));
    ASSERT_TRUE(settleUntil(view(), [&] { return !shown(item("updateReady")); }));
    EXPECT_EQ(view().model().updateInstallerState(), UpdateInstallerState::readyToInstall());
}

TEST_F(UpdateViewEndToEnd, AFeedAnswering404ShowsItsError)
{
    openAndCheck();
    const QString status = textOf(item("settingsUpdateStatus"));
    EXPECT_TRUE(status.startsWith(QStringLiteral("Update check failed: "))) << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("404"))) << status.toStdString();
    EXPECT_FALSE(item("settingsInstallUpdate")->isVisible());
    EXPECT_TRUE(item("settingsCheckUpdates")->isEnabled());
    EXPECT_TRUE(view().model().alertMessage());
}

TEST_F(UpdateViewEndToEnd, AnArchiveAnswering404EndsOnTheFailureWithClose)
{
    const QUrl archive = server.url(QStringLiteral("/Roror-99.0.tar.gz"));
    server.route(QStringLiteral("/feed.json"), 200,
                 QStringLiteral("{\"version\": \"99.0\", \"download_url\": \"%1\"}").arg(archive.toString()).toUtf8());
    openAndCheck();
    clickInView(view(), item("settingsInstallUpdate"));
    ASSERT_TRUE(settleUntil(
        view(), [&] { return shown(item("updateFailed")); }, 30000));
    EXPECT_FALSE(textOf(item("updateFailureMessage")).isEmpty());
    EXPECT_FALSE(item("updateReady")->isVisible());
    view().click(item("updateClose"));
    ASSERT_TRUE(settleUntil(view(), [&] { return !shown(item("updateFailed")); }));
    EXPECT_EQ(view().model().updateInstallerState(), UpdateInstallerState::idle());
}

} // namespace
} // namespace roror::test
