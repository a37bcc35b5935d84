#include "app/kit/GlassSource.h"
#include "app/shell/ContentController.h"
#include "app/shell/WindowBackdrop.h"
#include "core/model/AppActionFactory.h"
#include "tests/app/model/ModelTestSupport.h"
#include "platform/DesktopWallpaper.h"
#include "platform/desktop/CompositorBlur.h"
#include "platform/desktop/DesktopAppearance.h"
#include "tests/support/TabChain.h"
#include "tests/support/ViewFixture.h"
#include "tests/support/TextFit.h"

#include <QFont>
#include <QMutex>
#include <QPointer>
#include <QQuickItem>
#include <QTest>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

namespace roror::test {
namespace {

QQuickItem* child(QQuickItem* item, const QString& name)
{
    if (!item)
        return nullptr;
    for (QQuickItem* c : item->childItems()) {
        if (c->objectName() == name)
            return c;
        if (QQuickItem* found = child(c, name))
            return found;
    }
    return nullptr;
}

QString textOf(QQuickItem* item)
{
    return item ? item->property("text").toString() : QStringLiteral("<missing>");
}

class RootView : public ViewTest {
protected:
    QQuickItem* show()
    {
        QQuickItem* root = view().load(QStringLiteral("Roror.Shell"), QStringLiteral("ContentView"));
        EXPECT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
        // The start-up sequence begins after the first frame; let it end.
        auto* controller = root ? root->findChild<ContentController*>() : nullptr;
        EXPECT_TRUE(controller && spinUntil([&] { return controller->startupFinished(); }));
        view().settle();
        return root;
    }
    QQuickItem* page(AppFeature feature) { return view().find(QStringLiteral("page.") + toRaw(feature)); }
    QQuickItem* pageContent(AppFeature feature)
    {
        QQuickItem* slot = page(feature);
        return slot ? slot->property("item").value<QQuickItem*>() : nullptr;
    }
    QQuickItem* sidebarItem(AppFeature feature) { return view().find(QStringLiteral("sidebar.") + toRaw(feature)); }
    bool alertOpen(const char* name)
    {
        QQuickItem* alert = view().find(QString::fromLatin1(name));
        return alert && alert->property("opened").toBool();
    }
    QQuickItem* alertPart(const char* alert, const char* part)
    {
        return child(view().find(QString::fromLatin1(alert)), QString::fromLatin1(part));
    }
};

// The window shows its sidebar first; the page is made right after that first frame.
TEST_F(RootView, ThePageIsMadeAfterTheWindowsFirstFrame)
{
    bool framed = false;
    bool sidebarInFirstFrame = false;
    bool pageInFirstFrame = true;
    QObject::connect(
        &view().window(), &QQuickWindow::frameSwapped, &view().window(),
        [&] {
            if (std::exchange(framed, true))
                return;
            sidebarInFirstFrame = sidebarItem(AppFeature::dashboard) != nullptr;
            pageInFirstFrame = pageContent(AppFeature::dashboard) != nullptr;
        },
        Qt::DirectConnection);
    show();
    ASSERT_TRUE(framed);
    EXPECT_TRUE(sidebarInFirstFrame);
    EXPECT_FALSE(pageInFirstFrame);
    EXPECT_NE(pageContent(AppFeature::dashboard), nullptr);
}

TEST_F(RootView, PageSwitchFollowsTheSidebar)
{
    show();
    EXPECT_EQ(view().model().selectedFeature(), AppFeature::dashboard);
    // Every item, Settings at the bottom included, shows its own page and only that one.
    for (AppFeature feature : allAppFeatures()) {
        SCOPED_TRACE(toRaw(feature).toStdString());
        view().click(sidebarItem(feature));
        EXPECT_EQ(view().model().selectedFeature(), feature);
        for (AppFeature other : allAppFeatures()) {
            ASSERT_NE(page(other), nullptr);
            EXPECT_EQ(page(other)->isVisible(), other == feature);
            EXPECT_EQ(pageContent(other) != nullptr, other == feature);
        }
        EXPECT_TRUE(sidebarItem(feature)->property("selected").toBool());
        // No text of the page or the sidebar is cut while it fits, in either language.
        for (const AppLanguagePreference language : {AppLanguagePreference::chinese, AppLanguagePreference::english}) {
            view().setLanguage(language);
            view().grab();
            EXPECT_EQ(textsCutWithRoom(view().root()), QStringList()) << static_cast<int>(language);
        }
    }
    // The model decides too: a page chosen elsewhere is shown and selected in the sidebar.
    view().model().setSelectedFeature(AppFeature::purge);
    view().settle();
    EXPECT_NE(pageContent(AppFeature::purge), nullptr);
    EXPECT_TRUE(sidebarItem(AppFeature::purge)->property("selected").toBool());
    EXPECT_FALSE(sidebarItem(AppFeature::maintenance)->property("selected").toBool());
}

TEST_F(RootView, APageShownAgainStartsAfresh)
{
    show();
    view().click(sidebarItem(AppFeature::clean));
    QPointer<QQuickItem> first = pageContent(AppFeature::clean);
    ASSERT_NE(first, nullptr);
    first->setProperty("pageLocalState", true);

    view().click(sidebarItem(AppFeature::uninstall));
    spinUntil([&] { return first.isNull(); }, 2000);
    EXPECT_TRUE(first.isNull()) << "a page left stays alive";

    view().click(sidebarItem(AppFeature::clean));
    QQuickItem* again = pageContent(AppFeature::clean);
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->property("pageLocalState").isValid());
}

TEST_F(RootView, TheSelectionSurfaceSlidesToTheSelectedItem)
{
    show();
    QQuickItem* surface = view().find(QStringLiteral("sidebarSelection"));
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->y(), sidebarItem(AppFeature::dashboard)->y());
    view().click(sidebarItem(AppFeature::maintenance));
    const qreal target = sidebarItem(AppFeature::maintenance)->y();
    // It slides there, taking a moment.
    EXPECT_NE(surface->y(), target);
    EXPECT_TRUE(spinUntil([&] { return surface->y() == target; }, 3000));
    // A taller window moves Settings down; the surface stays on it without sliding after it.
    view().resize(QSize(1180, 900));
    EXPECT_GT(sidebarItem(AppFeature::maintenance)->y(), target);
    EXPECT_EQ(surface->y(), sidebarItem(AppFeature::maintenance)->y());
}

TEST_F(RootView, HoverRaisesOnlyAnUnselectedLabel)
{
    show();
    QQuickItem* selected = sidebarItem(AppFeature::dashboard);
    QQuickItem* other = sidebarItem(AppFeature::optimize);
    const QColor selectedColor = selected->property("labelColor").value<QColor>();
    const QColor restColor = other->property("labelColor").value<QColor>();
    EXPECT_GT(selectedColor.alphaF(), restColor.alphaF());

    view().hover(other);
    const QColor hoveredColor = other->property("labelColor").value<QColor>();
    EXPECT_GT(hoveredColor.alphaF(), restColor.alphaF());
    EXPECT_LT(hoveredColor.alphaF(), selectedColor.alphaF());

    view().hover(selected);
    EXPECT_EQ(selected->property("labelColor").value<QColor>(), selectedColor);
    EXPECT_EQ(other->property("labelColor").value<QColor>(), restColor);
}

// ---- Start-up ----

// Snapshots are taken on pool threads while the other steps run on the GUI thread.
struct StartupLog {
    void add(const QString& step)
    {
        const QMutexLocker lock(&mutex);
        steps << step;
    }
    QStringList calls() const
    {
        const QMutexLocker lock(&mutex);
        return steps;
    }

private:
    mutable QMutex mutex;
    QStringList steps;
};

// The Overview is the page shown at start and takes its own snapshots while it is live, so the
// start-up's own snapshot is needed only when none was taken; either way one is in before updates.
void expectStartupOrder(const QStringList& calls)
{
    QStringList steps = calls;
    steps.removeAll(QStringLiteral("status"));
    steps.removeAll(QStringLiteral("processes"));
    EXPECT_EQ(steps,
              (QStringList{QStringLiteral("environment"), QStringLiteral("safeguards"), QStringLiteral("updates")}));
    const qsizetype updates = calls.indexOf(QStringLiteral("updates"));
    EXPECT_TRUE(calls.first(updates).contains(QStringLiteral("status"))) << calls.join(' ').toStdString();
}

TEST_F(RootView, StartupCallsTheModelInOrder)
{
    auto log = std::make_shared<StartupLog>();
    options.services = [log](AppModelServices& services, const TestEnv& env) {
        // A stored background that is gone: the path check must forget it before the safeguards load.
        services.openSettings()->setValue(QStringLiteral("customWindowBackgroundPath"),
                                          env.home() + QStringLiteral("/gone.png"));
        services.bundleShortVersion = [log]() -> std::optional<QString> {
            log->add(QStringLiteral("environment"));
            return QStringLiteral("2.0");
        };
        services.loadOptimizeWhitelist = [log, settings = services.openSettings](const QString&) {
            const QString path = settings()->value(QStringLiteral("customWindowBackgroundPath")).toString();
            log->add((path.isEmpty() ? QStringLiteral("safeguards") : QStringLiteral("safeguards before path check")));
            return OptimizeWhitelistState{};
        };
        services.statusSnapshot = [log](const std::optional<QList<SystemReport::ProcessInfo>>&) {
            log->add(QStringLiteral("status"));
            return SystemReport{};
        };
        services.processSnapshot = [log] {
            log->add(QStringLiteral("processes"));
            return QList<SystemReport::ProcessInfo>{};
        };
        services.updateFeedURL = [log]() -> std::optional<QUrl> {
            log->add(QStringLiteral("updates"));
            return std::nullopt;
        };
    };
    show();
    expectStartupOrder(log->calls());
    EXPECT_EQ(view().model().versionText(), QStringLiteral("2.0"));
}

TEST_F(RootView, AFailingStartupStepStillRunsTheRest)
{
    auto log = std::make_shared<StartupLog>();
    options.services = [log](AppModelServices& services, const TestEnv&) {
        services.bundleShortVersion = [log]() -> std::optional<QString> {
            log->add(QStringLiteral("environment"));
            throw std::runtime_error("no bundle");
        };
        services.loadOptimizeWhitelist = [log](const QString&) -> OptimizeWhitelistState {
            log->add(QStringLiteral("safeguards"));
            throw std::runtime_error("The safeguards file cannot be read.");
        };
        services.statusSnapshot = [log](const std::optional<QList<SystemReport::ProcessInfo>>&) -> SystemReport {
            log->add(QStringLiteral("status"));
            throw std::runtime_error("probe failed");
        };
        services.processSnapshot = [log] {
            log->add(QStringLiteral("processes"));
            return QList<SystemReport::ProcessInfo>{};
        };
        services.updateFeedURL = [log]() -> std::optional<QUrl> {
            log->add(QStringLiteral("updates"));
            return std::nullopt;
        };
    };
    show();
    expectStartupOrder(log->calls());
    // The safeguards error is in the message alert right after launch.
    EXPECT_TRUE(alertOpen("messageAlert"));
    EXPECT_EQ(textOf(alertPart("messageAlert", "alertMessage")), QStringLiteral("The safeguards file cannot be read."));
}

// ---- Confirmation ----

enum class Close { continueButton, cancelButton, escape };

class Confirmation : public RootView, public ::testing::WithParamInterface<Close> { };

TEST_P(Confirmation, OnlyContinueRunsTheParkedAction)
{
    auto previews = std::make_shared<int>(0);
    options.services = [previews](AppModelServices& services, const TestEnv&) {
        services.cleanPreview = [previews] {
            ++*previews;
            return ready(CleanPreviewReport{});
        };
    };
    show();
    view().window().requestActivate();
    view().model().request(AppActionFactory::clean(false, false));
    view().settle();
    ASSERT_TRUE(alertOpen("confirmationAlert"));
    EXPECT_EQ(textOf(alertPart("confirmationAlert", "alertTitle")), QStringLiteral("Confirm Action"));
    EXPECT_EQ(textOf(alertPart("confirmationAlert", "alertMessage")), view().model().pendingAction()->detail);
    EXPECT_EQ(*previews, 0);

    switch (GetParam()) {
    case Close::continueButton:
        view().click(alertPart("confirmationAlert", "alertAccept"));
        break;
    case Close::cancelButton:
        view().click(alertPart("confirmationAlert", "alertCancel"));
        break;
    case Close::escape:
        QTest::keyClick(&view().window(), Qt::Key_Escape);
        view().settle();
        break;
    }
    spinUntil([&] { return !view().model().isRunning(); });
    view().settle();
    EXPECT_FALSE(view().model().pendingAction().has_value());
    EXPECT_FALSE(alertOpen("confirmationAlert"));
    EXPECT_EQ(*previews > 0, GetParam() == Close::continueButton);
}

INSTANTIATE_TEST_SUITE_P(Ways, Confirmation,
                         ::testing::Values(Close::continueButton, Close::cancelButton, Close::escape),
                         [](const ::testing::TestParamInfo<Close>& info) {
                             switch (info.param) {
                             case Close::continueButton:
                                 return std::string("Continue");
                             case Close::cancelButton:
                                 return std::string("Cancel");
                             case Close::escape:
                                 return std::string("Escape");
                             }
                             return std::string();
                         });

TEST_F(RootView, AnActionWithoutDetailIsConfirmedWithAnEmptyMessage)
{
    show();
    AppAction action = AppActionFactory::clean(false, false);
    action.detail.clear();
    view().model().setPendingAction(action);
    view().settle();
    ASSERT_TRUE(alertOpen("confirmationAlert"));
    EXPECT_EQ(textOf(alertPart("confirmationAlert", "alertMessage")), QString());
}

// ---- Message ----

TEST_F(RootView, MessageAlertShowsAndClearsTheModelsMessage)
{
    show();
    view().window().requestActivate();
    // Data text is shown as it stands, never read as markup; an empty message is still shown.
    for (const QString& message : {QStringLiteral("<b>x</b> could not be moved"), QString()}) {
        SCOPED_TRACE(message.toStdString());
        view().model().setAlertMessage(message);
        view().settle();
        ASSERT_TRUE(alertOpen("messageAlert"));
        QQuickItem* text = alertPart("messageAlert", "alertMessage");
        EXPECT_EQ(textOf(text), message);
        EXPECT_EQ(text->property("textFormat").toInt(), int(Qt::PlainText));
        EXPECT_EQ(textOf(alertPart("messageAlert", "alertTitle")), QStringLiteral("Roror"));
        view().click(alertPart("messageAlert", "alertAccept"));
        EXPECT_FALSE(view().model().alertMessage().has_value());
        EXPECT_FALSE(alertOpen("messageAlert"));
    }
    // Escape clears it too.
    view().model().setAlertMessage(QStringLiteral("again"));
    view().settle();
    QTest::keyClick(&view().window(), Qt::Key_Escape);
    view().settle();
    EXPECT_FALSE(view().model().alertMessage().has_value());
}

TEST_F(RootView, AMessageWaitsWhileAConfirmationIsShown)
{
    show();
    view().model().setAlertMessage(QStringLiteral("Saved."));
    view().model().request(AppActionFactory::clean(false, false));
    view().settle();
    EXPECT_TRUE(alertOpen("confirmationAlert"));
    EXPECT_FALSE(alertOpen("messageAlert"));
    view().click(alertPart("confirmationAlert", "alertCancel"));
    EXPECT_TRUE(alertOpen("messageAlert"));
    EXPECT_EQ(view().model().alertMessage(), std::optional<QString>(QStringLiteral("Saved.")));
}

// ---- Language ----

TEST_F(RootView, SwitchingTheLanguageRetitlesTheWindow)
{
    show();
    view().model().request(AppActionFactory::clean(false, false));
    view().settle();
    QQuickItem* cleanTitle = child(sidebarItem(AppFeature::clean), QStringLiteral("sidebarTitle"));
    QQuickItem* name = view().find(QStringLiteral("brandName"));
    QQuickItem* tagline = view().find(QStringLiteral("brandTagline"));
    const auto font = [](QQuickItem* item) { return item->property("font").value<QFont>(); };
    // Fractional sizes are given in points.
    const auto size
        = [](const QFont& f) { return f.pixelSize() > 0 ? qreal(f.pixelSize()) : f.pointSizeF() * 96 / 72; };

    EXPECT_EQ(textOf(cleanTitle), QStringLiteral("Smart Clean"));
    EXPECT_EQ(textOf(tagline), QStringLiteral("Mac Cleanup & Optimization"));
    EXPECT_EQ(textOf(alertPart("confirmationAlert", "alertTitle")), QStringLiteral("Confirm Action"));
    EXPECT_EQ(textOf(alertPart("confirmationAlert", "alertAccept")->childItems().value(0)), QStringLiteral("Continue"));
    const QFont englishTitle = font(cleanTitle);
    const QFont englishName = font(name);
    const QFont englishTagline = font(tagline);

    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(textOf(cleanTitle), QStringLiteral("智能清理"));
    EXPECT_EQ(textOf(child(sidebarItem(AppFeature::maintenance), QStringLiteral("sidebarTitle"))),
              QStringLiteral("设置"));
    EXPECT_EQ(textOf(tagline), QStringLiteral("Mac 清理与优化"));
    EXPECT_EQ(textOf(alertPart("confirmationAlert", "alertTitle")), QStringLiteral("确认操作"));
    EXPECT_EQ(textOf(alertPart("confirmationAlert", "alertAccept")->childItems().value(0)), QStringLiteral("继续"));
    // Chinese is set a little larger and in the default design throughout.
    EXPECT_GT(size(font(cleanTitle)), size(englishTitle));
    EXPECT_NE(font(cleanTitle).family(), englishTitle.family());
    EXPECT_EQ(size(font(name)), size(englishName));
    EXPECT_NE(font(name).family(), englishName.family());
    EXPECT_GT(size(font(tagline)), size(englishTagline));
}

// ---- Keyboard ----

class KeyboardView : public RootView { };

TEST_F(KeyboardView, TabReachesEveryControlOfEachPageWithAFocusMark)
{
    show();
    for (AppFeature feature : allAppFeatures()) {
        SCOPED_TRACE(toRaw(feature).toStdString());
        view().click(sidebarItem(feature));
        view().settle();
        const QList<QQuickItem*> stops = walkTabChain(view(), sidebarItem(AppFeature::dashboard));
        for (AppFeature item : allAppFeatures())
            EXPECT_TRUE(stops.contains(sidebarItem(item))) << toRaw(item).toStdString();
        expectEveryControlReached(view(), stops);
    }
}

TEST_F(KeyboardView, SpaceAndReturnPressTheFocusedControl)
{
    show();
    QQuickWindow& window = view().window();
    // Sidebar items.
    const std::pair<AppFeature, Qt::Key> sidebarCases[] = {{AppFeature::clean, Qt::Key_Return},
                                                           {AppFeature::analyze, Qt::Key_Space},
                                                           {AppFeature::maintenance, Qt::Key_Enter}};
    for (const auto& [feature, key] : sidebarCases) {
        sidebarItem(feature)->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(&window, key);
        view().settle();
        EXPECT_EQ(view().model().selectedFeature(), feature) << toRaw(feature).toStdString();
    }
    // A page's button: the protection list sheet of the Settings page opens.
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        view().model().setShowingCleanProtectionSheet(false);
        view().settle();
        QQuickItem* button = view().find(QStringLiteral("settingsCleanProtection"));
        ASSERT_TRUE(button);
        button->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(&window, key);
        view().settle();
        EXPECT_TRUE(view().model().showingCleanProtectionSheet()) << key;
    }
}

TEST_F(KeyboardView, ArrowsMoveWithinTheLanguageSelector)
{
    show();
    view().click(sidebarItem(AppFeature::maintenance));
    view().settle();
    QQuickItem* picker = view().find(QStringLiteral("settingsLanguagePicker"));
    ASSERT_TRUE(picker);
    picker->forceActiveFocus(Qt::TabFocusReason);
    view().settle();
    const int start = picker->property("currentIndex").toInt();
    EXPECT_EQ(picker->property("focusIndex").toInt(), start);
    // The arrows move the mark only; Space picks the marked segment.
    QTest::keyClick(&view().window(), Qt::Key_Left);
    QTest::keyClick(&view().window(), Qt::Key_Left);
    QTest::keyClick(&view().window(), Qt::Key_Right);
    view().settle();
    EXPECT_EQ(picker->property("focusIndex").toInt(), 1);
    EXPECT_EQ(picker->property("currentIndex").toInt(), start);
    QTest::keyClick(&view().window(), Qt::Key_Space);
    view().settle();
    EXPECT_EQ(picker->property("currentIndex").toInt(), 1);
    EXPECT_EQ(textOf(child(sidebarItem(AppFeature::clean), QStringLiteral("sidebarTitle"))),
              QStringLiteral("智能清理"));
    QTest::keyClick(&view().window(), Qt::Key_Right);
    QTest::keyClick(&view().window(), Qt::Key_Right);
    QTest::keyClick(&view().window(), Qt::Key_Return);
    view().settle();
    EXPECT_EQ(picker->property("currentIndex").toInt(), 2);
    EXPECT_EQ(textOf(child(sidebarItem(AppFeature::clean), QStringLiteral("sidebarTitle"))),
              QStringLiteral("Smart Clean"));
    EXPECT_TRUE(picker->hasActiveFocus());
}

// ---- Backdrop ----

TEST_F(RootView, BackdropDrawsTheAuraOnlyWithAScore)
{
    auto score = std::make_shared<std::optional<qint64>>();
    options.services = [score](AppModelServices& services, const TestEnv&) {
        services.statusSnapshot = [score](const std::optional<QList<SystemReport::ProcessInfo>>&) {
            SystemReport report;
            report.healthScore = *score;
            return report;
        };
    };
    // A report without a score.
    show();
    QQuickItem* backdrop = view().find(QStringLiteral("backdrop"));
    ASSERT_NE(backdrop, nullptr);
    ASSERT_TRUE(view().model().statusReport().has_value());
    EXPECT_FALSE(backdrop->property("auraShown").toBool());
    EXPECT_DOUBLE_EQ(backdrop->property("sheenTopOpacity").toDouble(), 0.1);

    *score = 52;
    ASSERT_TRUE(finish(view().model().refreshDashboardStatus(false)));
    view().settle();
    EXPECT_TRUE(backdrop->property("auraShown").toBool());
    EXPECT_EQ(backdrop->property("auraTone").toString(), QStringLiteral("amber"));
    EXPECT_DOUBLE_EQ(backdrop->property("sheenTopOpacity").toDouble(), 0.06);

    // Each live refresh brings a new score; the frame (and every glass surface over it) is painted
    // again only when the tone, which is all it shows of the score, changes.
    QSignalSpy frames(backdrop, SIGNAL(frameChanged()));
    view().grab();
    frames.clear();
    *score = 60;
    ASSERT_TRUE(finish(view().model().refreshDashboardStatus(false)));
    view().grab();
    EXPECT_EQ(frames.count(), 0);
    *score = 90;
    ASSERT_TRUE(finish(view().model().refreshDashboardStatus(false)));
    view().grab();
    EXPECT_EQ(backdrop->property("auraTone").toString(), QStringLiteral("mint"));
    EXPECT_GE(frames.count(), 1);

    // The aura switch off hides it although the report has a score.
    view().model().setShowHealthAura(false);
    view().settle();
    EXPECT_FALSE(backdrop->property("auraShown").toBool());
}

TEST_F(RootView, BackdropReadsTheImageOncePerPathAndRevision)
{
    show();
    QQuickItem* backdrop = view().find(QStringLiteral("backdrop"));
    QImage picture(640, 400, QImage::Format_RGB32);
    picture.fill(QColor(30, 90, 160));
    const QString file = view().env().home() + QStringLiteral("/sky.png");
    ASSERT_TRUE(picture.save(file));

    // The backdrop paints when the window renders its next frame; grab() renders one.
    view().model().chooseWindowBackgroundImage(file);
    view().grab();
    EXPECT_TRUE(backdrop->property("imageShown").toBool());
    EXPECT_EQ(backdrop->property("imageReads").toInt(), 1);
    // A resize repaints from the decoded image.
    view().resize(QSize(1000, 740));
    EXPECT_EQ(backdrop->property("imageReads").toInt(), 1);
    const QColor shown = view().grab().pixelColor(600, 700);
    EXPECT_GT(shown.blue(), shown.red() + 60);

    // The same file chosen again is a new revision: read again.
    view().model().chooseWindowBackgroundImage(file);
    view().grab();
    EXPECT_EQ(backdrop->property("imageReads").toInt(), 2);

    // Cleared: back to the plain backdrop.
    view().model().clearWindowBackgroundImage();
    view().grab();
    EXPECT_FALSE(backdrop->property("imageShown").toBool());
}

// The desktop of a test: GNOME's settings in dconf's keyfile under the test's home, no gsettings.
class DesktopBackdrop : public RootView {
protected:
    void SetUp() override
    {
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");
        DesktopWallpaper::setGsettingsSource([](const QString&) -> std::optional<QString> { return std::nullopt; });
    }
    void TearDown() override
    {
        RootView::TearDown();
        qunsetenv("XDG_CURRENT_DESKTOP");
        DesktopWallpaper::setGsettingsSource({});
        CompositorBlur::setProbe({});
        DesktopAppearance::shared().setForced(false);
    }
    QString picture(const char* name, const QColor& colour)
    {
        QImage image(800, 500, QImage::Format_RGB32);
        image.fill(colour);
        const QString file = view().env().home() + QStringLiteral("/Pictures/") + QString::fromLatin1(name);
        view().env().makeDir(QStringLiteral("Pictures"));
        EXPECT_TRUE(image.save(file, "PNG"));
        return file;
    }
    void nameWallpapers(const QString& light, const QString& dark)
    {
        view().env().writeFile(QStringLiteral(".config/dconf/user.txt"),
                               "[org/gnome/desktop/background]\npicture-uri='file://" + light.toUtf8()
                                   + "'\npicture-uri-dark='file://" + dark.toUtf8() + "'\n");
    }
    QQuickItem* backdrop() { return view().find(QStringLiteral("backdrop")); }
    bool layerBecomes(const char* layer)
    {
        return spinUntil([&] {
            view().grab();
            return backdrop()->property("desktopLayer").toString() == QLatin1String(layer);
        });
    }
};

TEST_F(DesktopBackdrop, TheDesktopsWallpaperIsDrawnForTheAppearanceAndSaidOnlyWhenShown)
{
    nameWallpapers(picture("day.png", QColor(220, 40, 40)), picture("night.png", QColor(40, 40, 220)));
    show();
    ASSERT_TRUE(layerBecomes("wallpaper"));
    EXPECT_TRUE(GlassSource::shared().desktopShown());
    QColor shown = view().grab().pixelColor(700, 700);
    EXPECT_GT(shown.red(), shown.blue() + 40);

    // Dark: the desktop's dark picture, under the dark window colour.
    DesktopAppearance::shared().setForced(true);
    ASSERT_TRUE(spinUntil([&] {
        const QColor c = view().grab().pixelColor(700, 700);
        return c.blue() > c.red() + 30;
    }));
    EXPECT_LT(view().grab().pixelColor(700, 700).lightness(), 110);

    // A custom image replaces the desktop; clearing it brings the desktop back.
    const QString mine = picture("mine.png", QColor(30, 200, 30));
    view().model().chooseWindowBackgroundImage(mine);
    shown = view().grab().pixelColor(700, 700);
    EXPECT_GT(shown.green(), shown.blue() + 40);
    view().model().clearWindowBackgroundImage();
    shown = view().grab().pixelColor(700, 700);
    EXPECT_GT(shown.blue(), shown.green() + 30);
}

TEST_F(DesktopBackdrop, ABrokenOrMissingWallpaperLeavesThePlainBase)
{
    const QString broken = view().env().writeFile(QStringLiteral("Pictures/broken.png"), "not a picture");
    nameWallpapers(broken, view().env().home() + QStringLiteral("/Pictures/gone.png"));
    show();
    // The read happens off the GUI thread; wait for its answer, then for the frame.
    ASSERT_TRUE(spinUntil([&] {
        view().grab();
        return backdrop()->property("desktopLayer").toString() == QLatin1String("none")
            && !backdrop()->property("desktopReading").toBool();
    }));
    EXPECT_FALSE(GlassSource::shared().desktopShown());
    const QColor plain = view().grab().pixelColor(700, 700);
    EXPECT_LE(std::abs(plain.red() - plain.blue()), 2);
    EXPECT_GT(plain.lightness(), 200);
}

TEST_F(DesktopBackdrop, UnderTheCompositorsBlurTheBaseIsTranslucent)
{
    CompositorBlur::setProbe([] { return CompositorBlur::Desktop{QStringLiteral("KWin"), true}; });
    nameWallpapers(picture("day.png", QColor(220, 40, 40)), picture("night.png", QColor(40, 40, 220)));
    show();
    EXPECT_EQ(backdrop()->property("desktopLayer").toString(), QStringLiteral("blur"));
    EXPECT_TRUE(GlassSource::shared().desktopShown());
    // No picture is read: the compositor shows the desktop itself.
    EXPECT_FALSE(backdrop()->property("desktopReading").toBool());
    auto* painted = qobject_cast<WindowBackdrop*>(backdrop());
    ASSERT_NE(painted, nullptr);
    view().grab();
    const QImage frame = painted->frame();
    ASSERT_FALSE(frame.isNull());
    EXPECT_LT(frame.pixelColor(frame.width() / 2, frame.height() / 2).alpha(), 200);
}

} // namespace
} // namespace roror::test
