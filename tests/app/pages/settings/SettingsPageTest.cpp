#include "app/pages/settings/SettingsPage.h"
#include "app/kit/GlassSource.h"
#include "core/model/AppLocalization.h"
#include "platform/SettingsStore.h"
#include "tests/app/model/ModelTestSupport.h"

#include <QImage>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

class SettingsPageModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        services.openURL = [this](const QUrl& url) { opened.append(url); };
    }
    void TearDown() override { useLanguage(AppLanguagePreference::english); }

    TestEnv env;
    AppModelServices services = fakeServices(env);
    QList<QUrl> opened;
};

TEST(SettingsPageTexts, VersionTextPrefersTheShortVersionThenTheBuild)
{
    const struct {
        std::optional<QString> shortVersion;
        std::optional<QString> build;
        const char* english;
        const char* chinese;
    } cases[] = {
        {QStringLiteral("1.4"), QStringLiteral("57"), "v1.4", "v1.4"},
        {QString(), QStringLiteral("57"), "57", "57"},
        {std::nullopt, QStringLiteral("57"), "57", "57"},
        {std::nullopt, QString(), "Not available", "未提供"},
        {std::nullopt, std::nullopt, "Not available", "未提供"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SettingsPage::appVersionText(c.shortVersion, c.build, false), QString::fromUtf8(c.english));
        EXPECT_EQ(SettingsPage::appVersionText(c.shortVersion, c.build, true), QString::fromUtf8(c.chinese));
    }
}

TEST_F(SettingsPageModel, PermissionButtonsSayThisSystemHasNoSuchSetting)
{
    AppModel model(services);
    SettingsPage page;
    page.setModel(&model);
    EXPECT_FALSE(page.privacyPanesAvailable) << "this build has no privacy panes";

    page.openFullDiskAccess();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(model.alertMessage(),
              std::optional<QString>(QStringLiteral("This system has no Full Disk Access setting to open.")));
    useLanguage(AppLanguagePreference::chinese);
    page.openAppDataAccess();
    EXPECT_EQ(model.alertMessage(),
              std::optional<QString>(QStringLiteral("这个系统没有可以打开的“App 数据权限”设置。")));
    EXPECT_TRUE(opened.isEmpty());

    // Where the panes exist, each button hands its own address over once per press.
    page.privacyPanesAvailable = true;
    model.setAlertMessage(std::nullopt);
    page.openFullDiskAccess();
    page.openAppDataAccess();
    page.openAppDataAccess();
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened.at(0).toString(),
              QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles"));
    EXPECT_EQ(opened.at(1).toString(),
              QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_AppData"));
    EXPECT_FALSE(model.alertMessage());
}

TEST_F(SettingsPageModel, ProtectionButtonsOpenTheirSheetsWithoutScanning)
{
    services.loadCleanWhitelist = [](const QString&) { return CleanWhitelistState{{QStringLiteral("~/keep")}}; };
    services.loadOptimizeWhitelist = [](const QString&) {
        return OptimizeWhitelistState{{QStringLiteral("dns")}, {QStringLiteral("custom")}};
    };
    AppModel model(services);
    SettingsPage page;
    page.setModel(&model);
    page.openCleanProtectionList();
    EXPECT_TRUE(model.showingCleanProtectionSheet());
    EXPECT_FALSE(model.showingOptimizeProtectionSheet());
    EXPECT_EQ(model.cleanWhitelistText(), QStringLiteral("~/keep"));
    model.setShowingCleanProtectionSheet(false);
    page.openOptimizeSafeguards();
    EXPECT_TRUE(model.showingOptimizeProtectionSheet());
    EXPECT_FALSE(model.showingCleanProtectionSheet());
    EXPECT_EQ(model.optimizeWhitelistCustomKeys(), QStringList{QStringLiteral("custom")});
    drainEvents();
    EXPECT_FALSE(model.isRunning());
}

TEST_F(SettingsPageModel, BackgroundImageChooseAndResetFollowThroughTheModel)
{
    const QString source = env.outside() + QStringLiteral("/Holiday Photo.PNG");
    QImage image(16, 9, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(source, "PNG"));

    AppModel model(services);
    SettingsPage page;
    page.setModel(&model);
    EXPECT_FALSE(page.hasCustomBackground());
    EXPECT_TRUE(page.backgroundUrl().isEmpty());
    // Without a custom image the line says whether the desktop's wallpaper is really shown.
    EXPECT_EQ(page.backgroundStatusText(),
              QStringLiteral("The system desktop wallpaper could not be read; using a plain background."));
    useLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(page.backgroundStatusText(), QStringLiteral("无法读取系统桌面壁纸，当前使用纯色背景。"));
    // The backdrop reports that it shows the desktop: the line follows, both ways.
    QSignalSpy shown(&page, &SettingsPage::appearanceChanged);
    GlassSource::shared().setDesktopShown(true);
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(page.backgroundStatusText(), QStringLiteral("当前使用系统桌面壁纸作为背景。"));
    useLanguage(AppLanguagePreference::english);
    EXPECT_EQ(page.backgroundStatusText(), QStringLiteral("Using the system desktop wallpaper as the background."));
    GlassSource::shared().setDesktopShown(false);
    EXPECT_EQ(page.backgroundStatusText(),
              QStringLiteral("The system desktop wallpaper could not be read; using a plain background."));
    GlassSource::shared().setDesktopShown(true);

    QSignalSpy appearance(&page, &SettingsPage::appearanceChanged);
    page.chooseBackgroundImage(QUrl());
    EXPECT_EQ(model.windowBackgroundRevision(), 0);
    page.chooseBackgroundImage(QUrl::fromLocalFile(source));
    EXPECT_GT(appearance.count(), 0);
    ASSERT_TRUE(page.hasCustomBackground());
    EXPECT_EQ(page.backgroundRevision(), 1);
    const QString stored = QFileInfo(page.backgroundUrl().toLocalFile()).fileName();
    EXPECT_TRUE(stored.startsWith(QStringLiteral("wallpaper-")) && stored.endsWith(QStringLiteral(".png")))
        << stored.toStdString();
    EXPECT_EQ(page.backgroundStatusText(), QStringLiteral("Using custom image: ") + stored);
    useLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(page.backgroundStatusText(), QStringLiteral("已使用自定义图片：") + stored);
    useLanguage(AppLanguagePreference::english);

    // A stored image that disappeared falls back to the wallpaper text.
    QFile::remove(page.backgroundUrl().toLocalFile());
    EXPECT_FALSE(page.hasCustomBackground());
    page.chooseBackgroundImage(QUrl::fromLocalFile(source));
    EXPECT_EQ(page.backgroundRevision(), 2);
    page.useDefaultBackground();
    EXPECT_FALSE(page.hasCustomBackground());
    EXPECT_EQ(page.backgroundRevision(), 3);
    EXPECT_EQ(page.backgroundStatusText(), QStringLiteral("Using the system desktop wallpaper as the background."));

    // An image that cannot be copied is the model's alert; the page keeps its state.
    page.chooseBackgroundImage(QUrl::fromLocalFile(env.outside() + QStringLiteral("/missing.jpg")));
    EXPECT_TRUE(model.alertMessage());
    EXPECT_FALSE(page.hasCustomBackground());
    GlassSource::shared().setDesktopShown(false);
}

TEST_F(SettingsPageModel, HealthAuraAndLanguageAreWrittenAtOnce)
{
    AppModel model(services);
    SettingsPage page;
    page.setModel(&model);
    EXPECT_TRUE(page.showHealthAura());
    QSignalSpy aura(&page, &SettingsPage::showHealthAuraChanged);
    page.setShowHealthAura(false);
    EXPECT_EQ(aura.count(), 1);
    EXPECT_FALSE(model.showHealthAura());
    EXPECT_FALSE(SettingsStore::open()->value(QStringLiteral("showHealthAura")).toBool());

    QSignalSpy language(&page, &SettingsPage::languageChanged);
    const struct {
        int index;
        AppLanguagePreference preference;
        const char* about;
    } choices[] = {
        {1, AppLanguagePreference::chinese, "未提供"},
        {0, AppLanguagePreference::system, "Not available"},
        {2, AppLanguagePreference::english, "Not available"},
    };
    page.shortVersion = [] { return std::optional<QString>(); };
    page.buildVersion = [] { return std::optional<QString>(); };
    for (const auto& c : choices) {
        page.setLanguageIndex(c.index);
        EXPECT_EQ(page.languageIndex(), c.index);
        EXPECT_EQ(LocalizationSettings::shared().preference(), c.preference);
        auto settings = SettingsStore::open();
        EXPECT_EQ(AppLocalization::loadPreference(*settings), c.preference);
        EXPECT_EQ(page.appVersionText(), QString::fromUtf8(c.about));
    }
    EXPECT_EQ(language.count(), 3);
    page.setLanguageIndex(7);
    EXPECT_EQ(page.languageIndex(), 2);
}

TEST_F(SettingsPageModel, UpdateControlsFollowTheCheck)
{
    Gate<RororUpdateInfo> feed;
    std::optional<QUrl> address;
    services.updateFeedURL = [&address] { return address; };
    services.fetchLatestUpdate = [&feed](const QUrl&) { return feed.future(); };
    AppModel model(services);
    SettingsPage page;
    page.feedURL = [&address] { return address; };
    page.setModel(&model);

    // No feed: the button is disabled and pressing it changes nothing.
    EXPECT_FALSE(page.feedConfigured());
    EXPECT_FALSE(page.checkEnabled());
    page.checkForUpdates();
    EXPECT_FALSE(page.isCheckingForUpdates());
    EXPECT_EQ(feed.waiting(), 0);

    address = QUrl(QStringLiteral("http://127.0.0.1:9/feed.json"));
    page.setActive(true);
    EXPECT_TRUE(page.feedConfigured());
    EXPECT_TRUE(page.checkEnabled());
    EXPECT_FALSE(page.hasLatestVersion());
    EXPECT_FALSE(page.canInstall());

    page.checkForUpdates();
    EXPECT_TRUE(page.isCheckingForUpdates());
    EXPECT_FALSE(page.checkEnabled());
    ASSERT_EQ(feed.waiting(), 1);
    RororUpdateInfo info;
    info.version = QStringLiteral("9.0");
    info.downloadURL = QUrl(QStringLiteral("http://127.0.0.1:9/Roror-9.0.zip"));
    feed.resolve(info);
    ASSERT_TRUE(spinUntil([&] { return !page.isCheckingForUpdates(); }));
    EXPECT_TRUE(page.hasLatestVersion());
    EXPECT_EQ(page.latestVersionText(), QStringLiteral("v9.0"));
    EXPECT_TRUE(page.canInstall());
    EXPECT_EQ(page.updateStatusDetail(), QStringLiteral("New version available: v9.0."));

    // Install opens the sheet and starts the download.
    page.installUpdate();
    EXPECT_TRUE(model.showingUpdateSheet());
    EXPECT_EQ(model.updateInstallerState(), UpdateInstallerState::downloading(0));
}

} // namespace
