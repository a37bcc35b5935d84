#include "app/pages/settings/SettingsPage.h"
#include "app/pages/settings/UpdateProgress.h"
#include "tests/app/model/ModelTestSupport.h"
#include "tests/app/pages/settings/LocalHttpServer.h"

#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

// The real update service against a feed and an archive served from this machine.
class UpdateEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        qputenv("ROROR_UPDATE_FEED_URL", server.url(QStringLiteral("/feed.json")).toString().toUtf8());
        services = AppModelServices::real();
        services.homePath = [h = env.home()] { return h; };
    }
    void TearDown() override { qunsetenv("ROROR_UPDATE_FEED_URL"); }

    void offer(const QString& version, int archiveStatus)
    {
        const QUrl archive = server.url(QStringLiteral("/Roror-") + version + QStringLiteral(".tar.gz"));
        server.route(QStringLiteral("/feed.json"), 200,
                     QStringLiteral("{\"version\": \"%1\", \"download_url\": \"%2\"}")
                         .arg(version, archive.toString())
                         .toUtf8());
        server.route(archive.path(), archiveStatus, QByteArray(256 * 1024, 'z'));
    }

    void check(AppModel& model, SettingsPage& page)
    {
        ASSERT_TRUE(page.checkEnabled());
        page.checkForUpdates();
        EXPECT_TRUE(page.isCheckingForUpdates());
        ASSERT_TRUE(spinUntil([&] { return !model.isCheckingForUpdates(); }, 30000));
    }

    TestEnv env;
    LocalHttpServer server;
    AppModelServices services;
};

TEST_F(UpdateEndToEnd, CheckThenDownloadToTheReadyState)
{
    offer(QStringLiteral("99.0"), 200);
    AppModel model(services);
    SettingsPage page;
    UpdateProgress sheet;
    page.setModel(&model);
    sheet.setModel(&model);
    EXPECT_TRUE(page.feedConfigured());
    check(model, page);
    EXPECT_EQ(page.latestVersionText(), QStringLiteral("v99.0"));
    EXPECT_EQ(page.updateStatusDetail(), QStringLiteral("New version available: v99.0."));
    ASSERT_TRUE(page.canInstall());

    QStringList stages;
    QObject::connect(&sheet, &UpdateProgress::stateChanged, &sheet, [&] {
        if (stages.isEmpty() || stages.last() != sheet.stage())
            stages.append(sheet.stage());
    });
    page.installUpdate();
    EXPECT_TRUE(model.showingUpdateSheet());
    EXPECT_EQ(sheet.stage(), QStringLiteral("downloading"));
    ASSERT_TRUE(spinUntil([&] { return sheet.stage() != QLatin1String("downloading"); }, 30000));
    EXPECT_EQ(sheet.stage(), QStringLiteral("readyToInstall")) << sheet.failureMessage().toStdString();
    EXPECT_EQ(stages, (QStringList{QStringLiteral("downloading"), QStringLiteral("readyToInstall")}));

    // Later keeps the download; asking again only shows the sheet.
    sheet.later();
    EXPECT_FALSE(model.showingUpdateSheet());
    page.installUpdate();
    EXPECT_TRUE(model.showingUpdateSheet());
    EXPECT_EQ(sheet.stage(), QStringLiteral("readyToInstall"));
}

TEST_F(UpdateEndToEnd, AFeedAnswering404ShowsItsError)
{
    AppModel model(services);
    SettingsPage page;
    page.setModel(&model);
    check(model, page);
    EXPECT_TRUE(page.updateStatusDetail().startsWith(QStringLiteral("Update check failed: ")))
        << page.updateStatusDetail().toStdString();
    EXPECT_TRUE(page.updateStatusDetail().contains(QStringLiteral("404")));
    ASSERT_TRUE(model.alertMessage());
    EXPECT_TRUE(page.updateStatusDetail().endsWith(*model.alertMessage()));
    EXPECT_FALSE(page.canInstall());
    EXPECT_TRUE(page.checkEnabled());
}

TEST_F(UpdateEndToEnd, AnArchiveAnswering404EndsOnTheFailureWithItsMessage)
{
    offer(QStringLiteral("99.0"), 404);
    AppModel model(services);
    SettingsPage page;
    UpdateProgress sheet;
    page.setModel(&model);
    sheet.setModel(&model);
    check(model, page);
    ASSERT_TRUE(page.canInstall());
    page.installUpdate();
    ASSERT_TRUE(spinUntil([&] { return sheet.stage() != QLatin1String("downloading"); }, 30000));
    EXPECT_EQ(sheet.stage(), QStringLiteral("failed"));
    EXPECT_FALSE(sheet.failureMessage().isEmpty());
    sheet.close();
    EXPECT_FALSE(model.showingUpdateSheet());
    EXPECT_EQ(sheet.stage(), QStringLiteral("idle"));
}

} // namespace
