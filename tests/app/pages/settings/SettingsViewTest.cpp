#include "app/pages/settings/SettingsPage.h"
#include "core/model/AppActionFactory.h"
#include "core/model/AppLocalization.h"
#include "platform/SettingsStore.h"
#include "tests/app/pages/PageViewSupport.h"

#include <QImage>
#include <QQmlComponent>
#include <memory>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

class SettingsView : public ViewTest {
protected:
    void SetUp() override
    {
        options.services = [this](AppModelServices& s, const TestEnv&) {
            s.openURL = [this](const QUrl& url) { opened.append(url); };
            s.loadCleanWhitelist = [](const QString&) { return CleanWhitelistState{{QStringLiteral("~/keep")}}; };
            s.loadOptimizeWhitelist = [](const QString&) {
                return OptimizeWhitelistState{{}, {QStringLiteral("custom")}};
            };
            s.updateFeedURL = [this] { return feed; };
            s.fetchLatestUpdate = [this](const QUrl&) { return checks.future(); };
            s.startUpdateDownload = [this](UpdateInstaller&, const QUrl& url) { downloads.append(url); };
        };
    }
    void TearDown() override
    {
        qunsetenv("ROROR_UPDATE_FEED_URL");
        ViewTest::TearDown();
    }

    QQuickItem* open()
    {
        QQuickItem* root = view().load(QStringLiteral("Roror.Pages.Settings"), QStringLiteral("SettingsView"));
        EXPECT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
        view().grab();
        return root;
    }
    QQuickItem* item(const char* name) { return view().find(QString::fromLatin1(name)); }
    SettingsPage* page() { return view().root()->findChild<SettingsPage*>(); }

    // Configures the feed the page and the model read.
    void useFeed()
    {
        feed = QUrl(QStringLiteral("http://127.0.0.1:9/feed.json"));
        qputenv("ROROR_UPDATE_FEED_URL", feed->toString().toUtf8());
    }
    void offerUpdate()
    {
        clickInView(view(), item("settingsCheckUpdates"));
        ASSERT_TRUE(settleUntil(view(), [&] { return checks.waiting() == 1; }));
        RororUpdateInfo info;
        info.version = QStringLiteral("9.0");
        info.downloadURL = QUrl(QStringLiteral("http://127.0.0.1:9/Roror-9.0.tar.gz"));
        checks.resolve(info);
        ASSERT_TRUE(settleUntil(view(), [&] { return !view().model().isCheckingForUpdates(); }));
        view().grab();
    }

    QList<QUrl> opened;
    QList<QUrl> downloads;
    std::optional<QUrl> feed;
    Gate<RororUpdateInfo> checks;
};

TEST_F(SettingsView, SixSectionsInOrderInBothLanguages)
{
    open();
    const char* sections[] = {"settingsPermissions", "settingsProtection", "settingsAppearance",
                              "settingsLanguage",    "settingsUpdates",    "settingsAbout"};
    const char* english[] = {"Permissions", "Protection Settings", "Appearance", "Language", "Updates", "About"};
    const char* chinese[] = {"权限", "保护设置", "外观", "语言", "更新", "关于"};
    qreal previousBottom = -1;
    for (int i = 0; i < 6; ++i) {
        QQuickItem* section = item(sections[i]);
        ASSERT_TRUE(shown(section)) << sections[i];
        const QRectF rect = sceneRect(section);
        EXPECT_NEAR(rect.top() - previousBottom, previousBottom < 0 ? rect.top() + 1 : 20, 0.5) << sections[i];
        previousBottom = rect.bottom();
        EXPECT_EQ(textOf(section->findChild<QQuickItem*>(QStringLiteral("nativeSectionTitle"))),
                  QString::fromUtf8(english[i]));
        EXPECT_FALSE(section->findChild<QQuickItem*>(QStringLiteral("nativeSectionSubtitle"))->isVisible());
    }
    EXPECT_GT(previousBottom, view().window().height()) << "the page is longer than the window and scrolls as a whole";
    EXPECT_TRUE(view().find(QStringLiteral("nativePageScroller"))->property("interactive").toBool());

    view().setLanguage(AppLanguagePreference::chinese);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(textOf(item(sections[i])->findChild<QQuickItem*>(QStringLiteral("nativeSectionTitle"))),
                  QString::fromUtf8(chinese[i]));
    EXPECT_EQ(item("settingsFullDiskAccess")->property("title").toString(), QStringLiteral("打开完整磁盘访问权限"));
    EXPECT_EQ(textOf(item("settingsBackgroundStatus")), QStringLiteral("无法读取系统桌面壁纸，当前使用纯色背景。"));
}

TEST_F(SettingsView, PermissionButtonsTellThatThisSystemHasNoSuchSetting)
{
    open();
    clickInView(view(), item("settingsFullDiskAccess"));
    EXPECT_EQ(view().model().alertMessage(),
              std::optional<QString>(QStringLiteral("This system has no Full Disk Access setting to open.")));
    clickInView(view(), item("settingsAppDataAccess"));
    EXPECT_EQ(view().model().alertMessage(),
              std::optional<QString>(QStringLiteral("This system has no App Data Access setting to open.")));
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(SettingsView, ProtectionButtonsOpenBothSheetsOverThePage)
{
    open();
    clickInView(view(), item("settingsCleanProtection"));
    ASSERT_TRUE(settleUntil(view(), [&] { return shown(item("cleanProtectionEditor")); }));
    EXPECT_EQ(textOf(item("cleanProtectionEditor")), QStringLiteral("~/keep"));
    EXPECT_FALSE(view().model().showingOptimizeProtectionSheet());
    EXPECT_FALSE(view().model().showingUpdateSheet());
    QTest::keyClick(&view().window(), Qt::Key_Escape);
    ASSERT_TRUE(settleUntil(view(), [&] { return !shown(item("cleanProtectionEditor")); }));
    EXPECT_FALSE(view().model().showingCleanProtectionSheet());

    clickInView(view(), item("settingsOptimizeSafeguards"));
    ASSERT_TRUE(settleUntil(view(), [&] { return shown(item("optimizeSafeguardsList")); }));
    EXPECT_EQ(textOf(item("optimizeSafeguardsCustomCount")), QStringLiteral("1 custom items are also preserved."));
    clickInView(view(), item("optimizeSafeguardsCancel"));
    ASSERT_TRUE(settleUntil(view(), [&] { return !shown(item("optimizeSafeguardsList")); }));
    EXPECT_FALSE(view().model().showingOptimizeProtectionSheet());
    EXPECT_FALSE(view().model().showingCleanProtectionSheet());
}

TEST_F(SettingsView, OnlyThePageOnScreenPresentsASheet)
{
    // Two pages that both carry the protection sheet; the hidden one never opens it.
    ASSERT_NE(
        view().loadText("import QtQuick\nimport Roror.App\nimport Roror.Pages.Clean\nimport Roror.Pages.Settings\n"
                        "Item { required property AppModel model\n"
                        " CleanView { anchors.fill: parent; model: parent.model; visible: false }\n"
                        " SettingsView { anchors.fill: parent; model: parent.model } }\n",
                        {{QStringLiteral("model"), QVariant::fromValue(&view().model())}}),
        nullptr);
    view().model().request(AppActionFactory::cleanWhitelist());
    ASSERT_TRUE(
        settleUntil(view(), [&] { return !shownAll(view(), QStringLiteral("cleanProtectionEditor")).isEmpty(); }));
    EXPECT_EQ(shownAll(view(), QStringLiteral("cleanProtectionEditor")).size(), 1);
    const QList<QObject*> sheets = view().root()->findChildren<QObject*>(QStringLiteral("cleanProtectionSheet"));
    ASSERT_EQ(sheets.size(), 2);
    EXPECT_NE(sheets[0]->property("visible").toBool(), sheets[1]->property("visible").toBool());
}

TEST_F(SettingsView, BackgroundImageAuraAndLanguage)
{
    open();
    EXPECT_FALSE(item("settingsDefaultBackground")->isEnabled());
    EXPECT_TRUE(item("windowBackgroundPlaceholder")->isVisible());

    // The file dialog hands the chosen file to the model.
    clickInView(view(), item("settingsChooseBackground"));
    QObject* chooser = view().root()->findChild<QObject*>(QStringLiteral("settingsImageChooser"));
    ASSERT_NE(chooser, nullptr);
    EXPECT_TRUE(settleUntil(view(), [&] { return chooser->property("visible").toBool(); }));
    const QString source = view().env().outside() + QStringLiteral("/Sunset.PNG");
    QImage image(64, 36, QImage::Format_RGB32);
    image.fill(Qt::darkYellow);
    ASSERT_TRUE(image.save(source, "PNG"));
    chooser->setProperty("selectedFile", QUrl::fromLocalFile(source));
    QMetaObject::invokeMethod(chooser, "accepted");
    QMetaObject::invokeMethod(chooser, "close");
    view().settle();
    ASSERT_TRUE(view().model().customWindowBackgroundURL());
    const QString stored = view().model().customWindowBackgroundURL()->fileName();
    EXPECT_EQ(textOf(item("settingsBackgroundStatus")), QStringLiteral("Using custom image: ") + stored);
    EXPECT_TRUE(item("settingsDefaultBackground")->isEnabled());
    EXPECT_EQ(item("settingsBackgroundPreview")->property("revision").toInt(), 1);

    clickInView(view(), item("settingsDefaultBackground"));
    EXPECT_FALSE(view().model().customWindowBackgroundURL());
    EXPECT_FALSE(item("settingsDefaultBackground")->isEnabled());
    EXPECT_EQ(item("settingsBackgroundPreview")->property("revision").toInt(), 2);

    QQuickItem* aura = item("settingsHealthAura");
    EXPECT_TRUE(aura->property("checked").toBool());
    clickInView(view(), aura);
    EXPECT_FALSE(view().model().showHealthAura());
    clickInView(view(), aura);
    EXPECT_TRUE(view().model().showHealthAura());

    clickInView(view(), item("languageChinese"));
    EXPECT_EQ(LocalizationSettings::shared().preference(), AppLanguagePreference::chinese);
    EXPECT_EQ(AppLocalization::loadPreference(*SettingsStore::open()), AppLanguagePreference::chinese);
    EXPECT_EQ(textOf(item("languageChinese")->findChild<QQuickItem*>()), QString());
    EXPECT_EQ(item("settingsLanguagePicker")->property("currentIndex").toInt(), 1);
    EXPECT_EQ(textOf(item("settingsAppearance")->findChild<QQuickItem*>(QStringLiteral("nativeSectionTitle"))),
              QStringLiteral("外观"));
    clickInView(view(), item("languageSystem"));
    EXPECT_EQ(AppLocalization::loadPreference(*SettingsStore::open()), AppLanguagePreference::system);
    EXPECT_EQ(item("settingsLanguagePicker")->property("currentIndex").toInt(), 0);
}

// The aura switch reads as a switch: while on its track takes the accent, and the knob stays
// inside the track in both states.
TEST_F(SettingsView, AuraSwitchOnIsAnAccentTrackWithTheKnobInside)
{
    open();
    QQmlComponent theme(&view().engine());
    theme.setData("import QtQuick\nimport Roror.Kit\nQtObject { readonly property color accent: AppTheme.accent }",
                  QUrl(QStringLiteral("qrc:/qt/qml/Roror/TestFrame.qml")));
    std::unique_ptr<QObject> colours(theme.create());
    ASSERT_NE(colours, nullptr) << theme.errorString().toStdString();
    const QColor accent = colours->property("accent").value<QColor>();

    QQuickItem* aura = item("settingsHealthAura");
    auto* track = aura->property("indicator").value<QQuickItem*>();
    ASSERT_NE(track, nullptr);
    ASSERT_FALSE(track->childItems().isEmpty());
    QQuickItem* knob = track->childItems().constFirst();
    const auto rect = [](QQuickItem* i) { return i->mapRectToScene(QRectF(0, 0, i->width(), i->height())); };
    for (const bool on : {true, false}) {
        if (aura->property("checked").toBool() != on)
            clickInView(view(), aura);
        view().settle(40);
        QTest::qWait(300);
        view().grab();
        ASSERT_EQ(view().model().showHealthAura(), on);
        EXPECT_EQ(track->property("color").value<QColor>() == accent, on);
        EXPECT_TRUE(rect(track).adjusted(1, 1, -1, -1).contains(rect(knob))) << (on ? "on" : "off");
        // On puts the knob at the trailing end.
        EXPECT_EQ(rect(knob).center().x() > rect(track).center().x(), on);
    }
}

TEST_F(SettingsView, UpdatesWithoutAFeedAreDisabledWithTheirNote)
{
    open();
    EXPECT_FALSE(item("settingsCheckUpdates")->isEnabled());
    EXPECT_EQ(item("settingsCheckUpdates")->property("title").toString(), QStringLiteral("Check for Updates"));
    EXPECT_TRUE(shown(item("settingsFeedNote")));
    EXPECT_FALSE(item("settingsInstallUpdate")->isVisible());
    EXPECT_FALSE(item("settingsLatestVersion")->isVisible());
    const QString version
        = textOf(item("settingsCurrentVersion")->findChild<QQuickItem*>(QStringLiteral("settingsInfoDetail")));
    EXPECT_TRUE(version.startsWith(QLatin1Char('v'))) << version.toStdString();
    EXPECT_EQ(textOf(item("settingsAboutVersion")->findChild<QQuickItem*>(QStringLiteral("settingsInfoDetail"))),
              version);
}

TEST_F(SettingsView, CheckThenInstallOpensTheProgressSheet)
{
    useFeed();
    open();
    EXPECT_FALSE(item("settingsFeedNote")->isVisible());
    ASSERT_TRUE(item("settingsCheckUpdates")->isEnabled());
    clickInView(view(), item("settingsCheckUpdates"));
    ASSERT_TRUE(settleUntil(view(), [&] { return checks.waiting() == 1; }));
    EXPECT_EQ(item("settingsCheckUpdates")->property("title").toString(), QStringLiteral("Checking"));
    EXPECT_FALSE(item("settingsCheckUpdates")->isEnabled());
    RororUpdateInfo info;
    info.version = QStringLiteral("9.0");
    info.downloadURL = QUrl(QStringLiteral("http://127.0.0.1:9/Roror-9.0.tar.gz"));
    checks.resolve(info);
    ASSERT_TRUE(settleUntil(view(), [&] { return !view().model().isCheckingForUpdates(); }));
    view().grab();
    EXPECT_EQ(textOf(item("settingsLatestVersion")->findChild<QQuickItem*>(QStringLiteral("settingsInfoDetail"))),
              QStringLiteral("v9.0"));
    EXPECT_EQ(textOf(item("settingsUpdateStatus")), QStringLiteral("New version available: v9.0."));
    ASSERT_TRUE(shown(item("settingsInstallUpdate")));

    clickInView(view(), item("settingsInstallUpdate"));
    ASSERT_TRUE(settleUntil(view(), [&] { return shown(item("updateDownloading")); }));
    EXPECT_EQ(downloads.size(), 1);
    EXPECT_EQ(textOf(item("updatePercent")), QStringLiteral("0%"));
}

// The sheet's body and buttons for each installer state, and where each button leads.
TEST_F(SettingsView, UpdateSheetStatesAndButtons)
{
    useFeed();
    open();
    offerUpdate();
    clickInView(view(), item("settingsInstallUpdate"));
    ASSERT_TRUE(settleUntil(view(), [&] { return shown(item("updateDownloading")); }));
    AppModel& model = view().model();

    const struct {
        UpdateInstallerState state;
        const char* body;
        QStringList buttons;
    } cases[] = {
        {UpdateInstallerState::downloading(0.456), "updateDownloading", {"updateCancel"}},
        {UpdateInstallerState::readyToInstall(), "updateReady", {"updateLater", "updateInstall"}},
        {UpdateInstallerState::installing(), "updateInstalling", {}},
        {UpdateInstallerState::failed(QStringLiteral("The download failed: the server said 404.")),
         "updateFailed",
         {"updateClose", "updateRetry"}},
        {UpdateInstallerState::idle(), nullptr, {}},
    };
    const QStringList bodies{"updateDownloading", "updateReady", "updateInstalling", "updateFailed"};
    const QStringList allButtons{"updateCancel", "updateLater", "updateInstall", "updateClose", "updateRetry"};
    for (const auto& c : cases) {
        model.setUpdateInstallerState(c.state);
        view().settle();
        for (const QString& body : bodies)
            EXPECT_EQ(item(body.toLatin1())->isVisible(), c.body && body == QLatin1String(c.body))
                << body.toStdString();
        for (const QString& button : allButtons)
            EXPECT_EQ(item(button.toLatin1())->isVisible(), c.buttons.contains(button)) << button.toStdString();
    }
    model.setUpdateInstallerState(UpdateInstallerState::downloading(0.456));
    view().grab();
    EXPECT_EQ(textOf(item("updatePercent")), QStringLiteral("46%"));
    EXPECT_NEAR(item("updateProgressFill")->width(), item("updateProgressBar")->width() * 0.456, 0.5);

    model.setUpdateInstallerState(
        UpdateInstallerState::failed(QStringLiteral("The download failed: the server said 404.")));
    view().settle();
    EXPECT_EQ(textOf(item("updateFailureMessage")), QStringLiteral("The download failed: the server said 404."));
    clickInView(view(), item("updateRetry"));
    EXPECT_EQ(downloads.size(), 2);
    EXPECT_TRUE(item("updateDownloading")->isVisible());

    clickInView(view(), item("updateCancel"));
    ASSERT_TRUE(settleUntil(view(), [&] { return !shown(item("updateButtons")); }));
    EXPECT_FALSE(model.showingUpdateSheet());
    EXPECT_EQ(model.updateInstallerState(), UpdateInstallerState::idle());

    // Later keeps the ready state; asking again shows it without a new download.
    model.setUpdateInstallerState(UpdateInstallerState::readyToInstall());
    clickInView(view(), item("settingsInstallUpdate"));
    ASSERT_TRUE(settleUntil(view(), [&] { return shown(item("updateReady")); }));
    clickInView(view(), item("updateLater"));
    ASSERT_TRUE(settleUntil(view(), [&] { return !shown(item("updateReady")); }));
    EXPECT_EQ(model.updateInstallerState(), UpdateInstallerState::readyToInstall());
    EXPECT_EQ(downloads.size(), 2);

    // Close forgets a failure.
    model.setUpdateInstallerState(UpdateInstallerState::failed(QStringLiteral("x")));
    model.setShowingUpdateSheet(true);
    ASSERT_TRUE(settleUntil(view(), [&] { return shown(item("updateFailed")); }));
    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(item("updateClose")->property("title").toString(), QStringLiteral("关闭"));
    clickInView(view(), item("updateClose"));
    ASSERT_TRUE(settleUntil(view(), [&] { return !shown(item("updateFailed")); }));
    EXPECT_EQ(model.updateInstallerState(), UpdateInstallerState::idle());
    EXPECT_FALSE(model.showingUpdateSheet());
}

} // namespace
} // namespace roror::test
