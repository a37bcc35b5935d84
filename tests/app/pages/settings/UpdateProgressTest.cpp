#include "app/pages/settings/UpdateProgress.h"
#include "tests/app/model/ModelTestSupport.h"

#include <QSignalSpy>
#include <cmath>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

class UpdateSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        services.updateFeedURL = [] { return std::optional<QUrl>(QUrl(QStringLiteral("http://127.0.0.1:9/feed"))); };
        services.fetchLatestUpdate = [](const QUrl&) {
            RororUpdateInfo info;
            info.version = QStringLiteral("9.9");
            info.downloadURL = QUrl(QStringLiteral("http://127.0.0.1:9/Roror.zip"));
            return ready(info);
        };
        services.startUpdateDownload = [this](UpdateInstaller&, const QUrl& url) { downloads.append(url); };
    }

    // A model with a newer update on offer.
    void offer(AppModel& model) { ASSERT_TRUE(finish(model.checkForUpdates(true))); }

    TestEnv env;
    AppModelServices services = fakeServices(env);
    QList<QUrl> downloads;
};

TEST_F(UpdateSheet, EachStateShowsItsBodyAndAFailureNeverLooksFinished)
{
    AppModel model(services);
    UpdateProgress sheet;
    sheet.setModel(&model);
    const struct {
        UpdateInstallerState state;
        const char* stage;
        double progress;
        const char* percent;
        const char* failure;
    } cases[] = {
        {UpdateInstallerState::idle(), "idle", 0, "0%", ""},
        {UpdateInstallerState::downloading(0), "downloading", 0, "0%", ""},
        {UpdateInstallerState::downloading(0.456), "downloading", 0.456, "46%", ""},
        {UpdateInstallerState::downloading(1), "downloading", 1, "100%", ""},
        {UpdateInstallerState::downloading(1.7), "downloading", 1, "100%", ""},
        {UpdateInstallerState::downloading(-0.2), "downloading", 0, "0%", ""},
        {UpdateInstallerState::downloading(std::nan("")), "downloading", 0, "0%", ""},
        {UpdateInstallerState::readyToInstall(), "readyToInstall", 0, "0%", ""},
        {UpdateInstallerState::installing(), "installing", 0, "0%", ""},
        {UpdateInstallerState::failed(QStringLiteral("The download failed: 404.\nTry again later.")), "failed", 0, "0%",
         "The download failed: 404.\nTry again later."},
        {UpdateInstallerState::failed(UpdateInstallerError::mountFailed().errorDescription()), "failed", 0, "0%",
         nullptr},
        {UpdateInstallerState::failed(UpdateInstallerError::downloadCancelled().errorDescription()), "failed", 0, "0%",
         nullptr},
        {UpdateInstallerState::failed(QString()), "failed", 0, "0%",
         "The update did not finish. Please try again later."},
        {UpdateInstallerState::failed(QStringLiteral("  ")), "failed", 0, "0%",
         "The update did not finish. Please try again later."},
    };
    QSignalSpy changed(&sheet, &UpdateProgress::stateChanged);
    for (const auto& c : cases) {
        model.setUpdateInstallerState(c.state);
        EXPECT_EQ(sheet.stage(), QString::fromUtf8(c.stage));
        EXPECT_DOUBLE_EQ(sheet.progress(), c.progress) << c.stage;
        EXPECT_EQ(sheet.percentText(), QString::fromUtf8(c.percent)) << c.stage;
        if (!c.failure)
            EXPECT_EQ(sheet.failureMessage(), c.state.message);
        else
            EXPECT_EQ(sheet.failureMessage(), QString::fromUtf8(c.failure));
        if (c.state.kind == UpdateInstallerState::Kind::failed) {
            EXPECT_FALSE(sheet.failureMessage().trimmed().isEmpty());
        }
    }
    EXPECT_EQ(changed.count(), static_cast<int>(std::size(cases)));
}

TEST_F(UpdateSheet, CancelStopsForgetsAndClosesWhileLaterKeepsTheDownload)
{
    AppModel model(services);
    UpdateProgress sheet;
    sheet.setModel(&model);
    offer(model);
    model.installUpdate();
    ASSERT_TRUE(model.showingUpdateSheet());
    EXPECT_EQ(sheet.stage(), QStringLiteral("downloading"));
    EXPECT_EQ(downloads.size(), 1);

    sheet.cancel();
    EXPECT_FALSE(model.showingUpdateSheet());
    EXPECT_EQ(sheet.stage(), QStringLiteral("idle"));

    // Starting again shows downloading before the sheet is up, so no stale state is seen.
    model.installUpdate();
    EXPECT_EQ(downloads.size(), 2);
    model.setUpdateInstallerState(UpdateInstallerState::readyToInstall());
    sheet.later();
    EXPECT_FALSE(model.showingUpdateSheet());
    EXPECT_EQ(sheet.stage(), QStringLiteral("readyToInstall"));
    model.installUpdate();
    EXPECT_TRUE(model.showingUpdateSheet());
    EXPECT_EQ(downloads.size(), 2) << "a ready update is not downloaded again";
}

TEST_F(UpdateSheet, AnInstallWithoutADownloadEndsAsAFailureWithCloseAndRetry)
{
    AppModel model(services);
    UpdateProgress sheet;
    sheet.setModel(&model);
    offer(model);
    model.installUpdate();
    // The download said it was ready, yet the installer holds no image.
    model.setUpdateInstallerState(UpdateInstallerState::readyToInstall());
    sheet.restartAndInstall();
    ASSERT_TRUE(spinUntil([&] { return sheet.stage() == QLatin1String("failed"); }));
    EXPECT_EQ(sheet.failureMessage(), UpdateInstallerError::noDownloadedUpdate().errorDescription());
    EXPECT_TRUE(model.showingUpdateSheet());

    sheet.retry();
    EXPECT_EQ(sheet.stage(), QStringLiteral("downloading"));
    EXPECT_EQ(downloads.size(), 2);

    model.setUpdateInstallerState(UpdateInstallerState::failed(QStringLiteral("disk full")));
    sheet.close();
    EXPECT_FALSE(model.showingUpdateSheet());
    EXPECT_EQ(sheet.stage(), QStringLiteral("idle"));
}

TEST_F(UpdateSheet, RetryWithoutAnOfferStaysOnTheFailure)
{
    AppModel model(services);
    UpdateProgress sheet;
    sheet.setModel(&model);
    model.setShowingUpdateSheet(true);
    model.setUpdateInstallerState(UpdateInstallerState::failed(QStringLiteral("gone")));
    sheet.retry();
    EXPECT_EQ(sheet.stage(), QStringLiteral("failed"));
    EXPECT_EQ(sheet.failureMessage(), QStringLiteral("gone"));
    EXPECT_TRUE(model.showingUpdateSheet());
    EXPECT_TRUE(downloads.isEmpty());
}

} // namespace
