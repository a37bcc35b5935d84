#include "app/dashboard/hero/HeroGlow.h"
#include "app/dashboard/overview/DashboardPage.h"
#include "app/kit/GlassSource.h"
#include "app/kit/RingGaugeArc.h"
#include "tests/app/dashboard/DashboardFixtures.h"
#include "tests/support/PaintedImage.h"
#include "tests/support/TabChain.h"
#include "tests/support/TextFit.h"
#include "tests/support/ViewFixture.h"

#include <QDeadlineTimer>
#include <QLineF>
#include <QQmlProperty>
#include <QSemaphore>
#include <QTest>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

using ProcessList = QList<SystemReport::ProcessInfo>;

// Status probes for the view: the recorded report over a process table the test sets; the
// snapshot can be held back to keep the page before its first snapshot.
struct ViewStatus {
    QMutex mutex;
    ProcessList table{
        proc(4321, QStringLiteral("firefox-esr"), 31.5, 8.2, QStringLiteral("/usr/lib/firefox-esr/firefox-esr")),
        proc(2210, QStringLiteral("Xorg"), 7.0, 22.1, QStringLiteral("/usr/lib/xorg/Xorg")),
        proc(50, QStringLiteral("kworker"), 0.5, 0.0)};
    std::optional<int> healthScore; // the recorded one when unset
    // Changes the recorded snapshot before it is handed out.
    std::function<void(SystemReport&)> adjust;
    std::atomic<bool> hold{false};
    std::atomic<int> entered{0};
    QSemaphore released;
    QList<std::pair<qint64, bool>> terminations;

    void install(AppModelServices& s)
    {
        s.processSnapshot = [this] {
            QMutexLocker lock(&mutex);
            return table;
        };
        s.statusSnapshot = [this](const std::optional<ProcessList>& top) {
            ++entered;
            if (hold)
                released.acquire();
            SystemReport report = recordedReport();
            if (adjust)
                adjust(report);
            report.topProcesses = top.value_or(ProcessList{});
            QMutexLocker lock(&mutex);
            if (healthScore)
                report.healthScore = healthScore;
            return report;
        };
        s.terminateProcess = [this](qint64 pid, bool force) { terminations.append({pid, force}); };
        s.liveStatusIntervalMs = 60000; // one refresh per showing is enough here
    }
};

class DashboardViewTest : public ViewTest {
protected:
    void SetUp() override
    {
        options.services = [this](AppModelServices& s, const TestEnv&) { status.install(s); };
    }
    void TearDown() override
    {
        status.released.release(100);
        // Items the view let go of are deleted later; they must go while their engine still exists.
        delete view().root();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ViewTest::TearDown();
    }
    QQuickItem* load()
    {
        QQuickItem* root = view().load(QStringLiteral("Roror.Dashboard"), QStringLiteral("DashboardView"));
        EXPECT_NE(root, nullptr) << view().warnings().join('\n').toStdString();
        return root;
    }
    DashboardPage* page() { return qvariant_cast<DashboardPage*>(view().root()->property("page")); }
    bool waitForReport()
    {
        return spinUntil([&] {
            return view().model().statusReport().has_value() && !view().model().isRefreshingStatus()
                && page()->hasReport() && page()->processes()->rowCount() == view().model().processUsage().size();
        });
    }
    // Scrolls the page so that the process section is in the window, without waiting for its rows.
    void scrollToProcesses()
    {
        QQuickItem* scroller = view().find(QStringLiteral("nativePageScroller"));
        QQuickItem* section = view().find(QStringLiteral("processSection"));
        ASSERT_TRUE(scroller && section);
        const qreal top = section->mapToItem(scroller->property("contentItem").value<QQuickItem*>(), QPointF(0, 0)).y();
        scroller->setProperty("contentY", top - 20);
    }
    // The same, then waits until the rows stand in place.
    void showProcesses()
    {
        ASSERT_NO_FATAL_FAILURE(scrollToProcesses());
        // The list lays its rows out on the next frame; new rows then slide in. Wait until
        // every row is there and stands still.
        ASSERT_TRUE(spinUntil([&] { return rows().size() == page()->processCount(); }, 3000));
        ASSERT_TRUE(spinUntil(
            [&] {
                for (QQuickItem* row : rows()) {
                    if (row->x() != 0 || row->opacity() != 1)
                        return false;
                }
                return true;
            },
            3000));
    }
    // The rows the list shows, without those waiting in the view's pool for reuse.
    QList<QQuickItem*> rows()
    {
        QList<QQuickItem*> shown = view().findAll(QStringLiteral("processRow"));
        shown.removeIf([](QQuickItem* row) { return row->property("pooled").toBool(); });
        return shown;
    }
    QQuickItem* rowNamed(const QString& name)
    {
        for (QQuickItem* row : rows()) {
            if (row->property("name").toString() == name)
                return row;
        }
        return nullptr;
    }
    // The quit button of a process row.
    QQuickItem* killOf(QQuickItem* row)
    {
        for (QQuickItem* k : view().findAll(QStringLiteral("killButton"))) {
            if (row->isAncestorOf(k))
                return k;
        }
        return nullptr;
    }
    QStringList rowNames()
    {
        QList<QQuickItem*> list = rows();
        std::sort(list.begin(), list.end(), [](QQuickItem* a, QQuickItem* b) { return a->y() < b->y(); });
        QStringList names;
        for (QQuickItem* row : list)
            names.append(row->property("name").toString());
        return names;
    }

    ViewStatus status;
};

} // namespace

TEST_F(DashboardViewTest, SkeletonUntilTheFirstSnapshotThenHeroAndCards)
{
    status.hold = true;
    load();
    ASSERT_TRUE(spinUntil([&] { return status.entered > 0; }));
    view().settle();
    QQuickItem* skeleton = view().find(QStringLiteral("skeletonPanel"));
    ASSERT_NE(skeleton, nullptr);
    EXPECT_TRUE(skeleton->isVisible());
    // The hero and the cards are not made before there is a report to draw.
    EXPECT_EQ(view().find(QStringLiteral("heroPanel")), nullptr);
    EXPECT_EQ(view().find(QStringLiteral("cardGrid")), nullptr);
    EXPECT_EQ(view().findAll(QStringLiteral("skeletonCard")).size(), 6);
    // The model takes its first snapshot before it counts as refreshing.
    EXPECT_EQ(view().find(QStringLiteral("skeletonStatus"))->property("text").toString(), QStringLiteral("Waiting"));
    EXPECT_TRUE(view().find(QStringLiteral("processSection"))->isVisible());

    status.hold = false;
    status.released.release(10);
    ASSERT_TRUE(waitForReport());
    view().settle();
    EXPECT_FALSE(skeleton->isVisible());
    EXPECT_TRUE(view().find(QStringLiteral("heroPanel"))->isVisible());
    EXPECT_EQ(view().findAll(QStringLiteral("statusCard")).size(), 7);
    EXPECT_EQ(view().find(QStringLiteral("healthScoreText"))->property("text").toString(), QStringLiteral("82"));
    EXPECT_TRUE(view().find(QStringLiteral("liveChip"))->isVisible());
}

TEST_F(DashboardViewTest, RefreshRunsWhileThePageIsShownAndStopsWhenItIsNot)
{
    load();
    ASSERT_TRUE(waitForReport());
    EXPECT_TRUE(view().model().isLiveStatusActive());
    view().root()->setVisible(false);
    ASSERT_TRUE(spinUntil([&] { return !view().model().isLiveStatusActive(); }));
    view().root()->setVisible(true);
    EXPECT_TRUE(view().model().isLiveStatusActive());
}

TEST_F(DashboardViewTest, SortHeaderReordersTheRows)
{
    load();
    ASSERT_TRUE(waitForReport());
    view().settle();
    showProcesses();
    EXPECT_EQ(rowNames(), (QStringList{"firefox-esr", "Xorg", "kworker"}));
    QQuickItem* cpu = view().find(QStringLiteral("sortCpu"));
    QQuickItem* memory = view().find(QStringLiteral("sortMemory"));
    EXPECT_TRUE(cpu->property("isSelected").toBool());
    view().click(memory);
    EXPECT_EQ(page()->processSort(), ProcessUsageSort::memory);
    EXPECT_TRUE(memory->property("isSelected").toBool());
    EXPECT_FALSE(cpu->property("isSelected").toBool());
    ASSERT_TRUE(spinUntil([&] { return rowNames() == QStringList{"Xorg", "firefox-esr", "kworker"}; }, 3000));
}

TEST_F(DashboardViewTest, KillButtonShowsOnHoverOnlyWhereTheProcessMayBeEnded)
{
    load();
    ASSERT_TRUE(waitForReport());
    view().settle();
    showProcesses();
    QQuickItem* firefox = rowNamed(QStringLiteral("firefox-esr"));
    QQuickItem* kworker = rowNamed(QStringLiteral("kworker"));
    ASSERT_TRUE(firefox && kworker);
    EXPECT_FALSE(killOf(firefox)->property("isVisible").toBool());
    view().hover(firefox);
    EXPECT_TRUE(killOf(firefox)->property("isVisible").toBool());
    EXPECT_TRUE(killOf(firefox)->property("isEnabled").toBool());
    view().hover(kworker);
    EXPECT_FALSE(killOf(firefox)->property("isVisible").toBool());
    EXPECT_FALSE(killOf(kworker)->property("isVisible").toBool()); // pid 50
    EXPECT_FALSE(killOf(kworker)->property("isEnabled").toBool());
    view().click(killOf(kworker));
    EXPECT_TRUE(status.terminations.isEmpty());

    view().hover(firefox);
    view().click(killOf(firefox));
    ASSERT_EQ(status.terminations.size(), 1);
    EXPECT_EQ(status.terminations[0], (std::pair<qint64, bool>{4321, false}));
    // Under the pointer the row stays, shown ended; it goes once the pointer leaves the list.
    view().settle();
    ASSERT_NE(rowNamed(QStringLiteral("firefox-esr")), nullptr);
    EXPECT_TRUE(rowNamed(QStringLiteral("firefox-esr"))->property("ended").toBool());
    view().hover(view().find(QStringLiteral("processHeader")));
    EXPECT_TRUE(spinUntil([&] { return rowNamed(QStringLiteral("firefox-esr")) == nullptr; }, 3000));
}

// From the keyboard: the sort headings and the quit buttons of processes that may be ended are
// stops; a focused quit button shows and Space presses it.
TEST_F(DashboardViewTest, TheProcessListIsWalkedAndUsedWithTheKeyboard)
{
    load();
    ASSERT_TRUE(waitForReport());
    view().settle();
    showProcesses();
    QQuickItem* firefox = rowNamed(QStringLiteral("firefox-esr"));
    ASSERT_TRUE(firefox);
    QQuickItem* kill = killOf(firefox);
    ASSERT_TRUE(kill);
    const QList<QQuickItem*> stops = walkTabChain(view(), kill);
    expectEveryControlReached(view(), stops);
    kill->forceActiveFocus(Qt::TabFocusReason);
    EXPECT_TRUE(spinUntil([&] { return kill->opacity() > 0.99; }, 2000)) << "the focused quit button stays hidden";
    QTest::keyClick(&view().window(), Qt::Key_Space);
    view().settle();
    ASSERT_EQ(status.terminations.size(), 1);
    EXPECT_EQ(status.terminations[0], (std::pair<qint64, bool>{4321, false}));
}

TEST_F(DashboardViewTest, RowsHoldStillUnderThePointerAndCatchUpWhenItLeaves)
{
    load();
    ASSERT_TRUE(waitForReport());
    view().settle();
    showProcesses();
    ASSERT_EQ(rowNames(), (QStringList{"firefox-esr", "Xorg", "kworker"}));
    QQuickItem* firefox = rowNamed(QStringLiteral("firefox-esr"));
    view().hover(firefox);

    // A refresh that would put firefox last, end Xorg and bring a busy newcomer.
    {
        QMutexLocker lock(&status.mutex);
        status.table
            = {proc(7000, QStringLiteral("yes"), 95.0, 0.1), proc(50, QStringLiteral("kworker"), 40.0, 0.0),
               proc(4321, QStringLiteral("firefox-esr"), 1.0, 8.2, QStringLiteral("/usr/lib/firefox-esr/firefox-esr"))};
    }
    ASSERT_TRUE(finish(view().model().refreshDashboardStatus(false)));
    view().settle(60);
    EXPECT_EQ(rowNames(), (QStringList{"firefox-esr", "Xorg", "kworker"}));
    EXPECT_EQ(rowNamed(QStringLiteral("firefox-esr")), firefox);
    EXPECT_EQ(firefox->findChild<QQuickItem*>(QStringLiteral("processCpu"))->property("text").toString(),
              QStringLiteral("1.0%"));
    QQuickItem* xorg = rowNamed(QStringLiteral("Xorg"));
    ASSERT_NE(xorg, nullptr);
    EXPECT_TRUE(xorg->property("ended").toBool());
    EXPECT_FALSE(xorg->property("canTerminate").toBool());

    // The button under the pointer still ends the process the user aimed at.
    QQuickItem* kill = firefox->findChild<QQuickItem*>(QStringLiteral("killButton"));
    ASSERT_TRUE(kill && kill->property("isVisible").toBool());
    view().click(kill);
    ASSERT_EQ(status.terminations.size(), 1);
    EXPECT_EQ(status.terminations[0].first, 4321);

    view().hover(view().find(QStringLiteral("processHeader")));
    EXPECT_TRUE(spinUntil(
        [&] {
            return rowNames() == QStringList{"yes", "kworker"};
        },
        3000))
        << rowNames().join(',').toStdString();
}

TEST_F(DashboardViewTest, ForceQuitAsksFirstAndCancellingEndsNothing)
{
    load();
    ASSERT_TRUE(waitForReport());
    view().settle();
    showProcesses();
    QQuickItem* xorg = rowNamed(QStringLiteral("Xorg"));
    ASSERT_NE(xorg, nullptr);
    // The row's menu is made for each right click and goes when it closes.
    const auto openMenu = [&](QQuickItem* row) -> QQuickItem* {
        view().settle();
        view().click(row, Qt::RightButton);
        QQuickItem* shown = nullptr;
        spinUntil(
            [&] {
                for (QQuickItem* item : view().findAll(QStringLiteral("forceQuitItem")))
                    if (item->isVisible())
                        shown = item;
                return shown != nullptr;
            },
            3000);
        return shown;
    };
    QQuickItem* forceItem = openMenu(xorg);
    ASSERT_NE(forceItem, nullptr);
    EXPECT_TRUE(forceItem->isEnabled());
    // Each entry leads with its symbol, drawn by the catalogue.
    QStringList symbols;
    for (const char* entry : {"quitItem", "forceQuitItem", "revealItem"}) {
        QQuickItem* item = view().find(QString::fromLatin1(entry));
        ASSERT_NE(item, nullptr) << entry;
        auto* symbol = item->findChild<QQuickItem*>(QStringLiteral("menuSymbol"));
        ASSERT_NE(symbol, nullptr) << entry;
        EXPECT_TRUE(symbol->isVisible()) << entry;
        symbols.append(symbol->property("systemName").toString());
    }
    EXPECT_EQ(
        symbols,
        (QStringList{QStringLiteral("xmark"), QStringLiteral("exclamationmark.octagon"), QStringLiteral("folder")}));
    EXPECT_FALSE(view().find(QStringLiteral("revealItem"))->isEnabled()); // /usr/lib/xorg/Xorg is not here
    view().click(forceItem);
    // The question is the pages' alert: its title shows while it is up.
    QQuickItem* dialog = view().find(QStringLiteral("alertTitle"));
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(spinUntil([&] { return dialog->isVisible(); }, 3000));
    EXPECT_EQ(dialog->property("text").toString(), QStringLiteral("Force Quit Process"));
    EXPECT_EQ(view().find(QStringLiteral("alertConfirm"))->property("title").toString(), QStringLiteral("Force Quit"));
    // The destructive action comes first, then Cancel.
    EXPECT_LT(view().find(QStringLiteral("alertConfirm"))->mapToScene(QPointF(0, 0)).x(),
              view().find(QStringLiteral("alertCancel"))->mapToScene(QPointF(0, 0)).x());
    EXPECT_EQ(view().find(QStringLiteral("alertMessage"))->property("text").toString(),
              QStringLiteral("Xorg will be ended immediately. Any unsaved work will be lost."));
    EXPECT_TRUE(status.terminations.isEmpty());

    view().click(view().find(QStringLiteral("alertCancel")));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(status.terminations.isEmpty());

    // Escape also cancels.
    page()->requestForceQuit(1);
    view().settle();
    ASSERT_TRUE(dialog->isVisible());
    QTest::keyClick(&view().window(), Qt::Key_Escape);
    view().settle();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(status.terminations.isEmpty());

    // And so does a click beside the question.
    page()->requestForceQuit(1);
    view().settle();
    ASSERT_TRUE(dialog->isVisible());
    QTest::mouseClick(&view().window(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    view().settle();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(page()->forceQuitPending());
    EXPECT_TRUE(status.terminations.isEmpty());

    // A refresh while the question is open keeps it on Xorg.
    forceItem = openMenu(xorg);
    ASSERT_NE(forceItem, nullptr);
    view().click(forceItem);
    {
        QMutexLocker lock(&status.mutex);
        status.table = {proc(7777, QStringLiteral("newcomer"), 99.0, 1.0), status.table[1], status.table[0]};
    }
    ASSERT_TRUE(finish(view().model().refreshDashboardStatus(false)));
    view().settle();
    EXPECT_EQ(view().find(QStringLiteral("alertMessage"))->property("text").toString(),
              QStringLiteral("Xorg will be ended immediately. Any unsaved work will be lost."));
    view().click(view().find(QStringLiteral("alertConfirm")));
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(status.terminations.size(), 1);
    EXPECT_EQ(status.terminations[0], (std::pair<qint64, bool>{2210, true}));
}

TEST_F(DashboardViewTest, EmptyProcessListAndLanguageSwitch)
{
    {
        QMutexLocker lock(&status.mutex);
        status.table.clear();
    }
    load();
    ASSERT_TRUE(waitForReport());
    view().settle();
    EXPECT_TRUE(view().find(QStringLiteral("processEmptyState"))->isVisible());
    EXPECT_FALSE(view().find(QStringLiteral("processList"))->isVisible());
    EXPECT_EQ(view().find(QStringLiteral("sectionTitleTitle"))->property("text").toString(),
              QStringLiteral("Overview"));
    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(view().find(QStringLiteral("sectionTitleTitle"))->property("text").toString(), QStringLiteral("概览"));
    EXPECT_EQ(view().find(QStringLiteral("healthBadge"))->property("text").toString(), QStringLiteral("良好"));
    EXPECT_EQ(view().find(QStringLiteral("freeSpaceChip"))->property("title").toString(), QStringLiteral("可用 88 GB"));
}

TEST_F(DashboardViewTest, LeavingThePageInTheWindowStopsTheRefreshAndComingBackStartsAfresh)
{
    ASSERT_NE(view().load(QStringLiteral("Roror.Shell"), QStringLiteral("ContentView")), nullptr)
        << view().warnings().join('\n').toStdString();
    ASSERT_TRUE(
        spinUntil([&] { return view().model().isLiveStatusActive() && view().model().statusReport().has_value(); }));
    auto* shown = qvariant_cast<DashboardPage*>(
        view().find(QStringLiteral("page.dashboard"))->property("item").value<QQuickItem*>()->property("page"));
    ASSERT_NE(shown, nullptr);
    shown->setProcessSortRaw(QStringLiteral("memory"));

    view().model().setSelectedFeature(AppFeature::clean);
    view().settle();
    // The page switch lets the page go with deleteLater, which the window's event loop runs.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(spinUntil([&] { return !view().model().isLiveStatusActive(); }));
    const int taken = status.entered;
    QDeadlineTimer wait(300);
    while (!wait.hasExpired())
        view().settle(1);
    EXPECT_EQ(status.entered, taken); // no snapshot while another page shows

    view().model().setSelectedFeature(AppFeature::dashboard);
    ASSERT_TRUE(spinUntil([&] { return view().model().isLiveStatusActive() && status.entered > taken; }));
    auto* again = qvariant_cast<DashboardPage*>(
        view().find(QStringLiteral("page.dashboard"))->property("item").value<QQuickItem*>()->property("page"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->processSort(), ProcessUsageSort::cpu);
    EXPECT_FALSE(again->forceQuitPending());
}

namespace {

// The arc item inside the hero's ring.
RingGaugeArc* heroArc(ViewFixture& view)
{
    QQuickItem* ring = view.find(QStringLiteral("healthRing"));
    return ring ? ring->findChild<RingGaugeArc*>(QStringLiteral("ringGaugeArc")) : nullptr;
}

// The first Text below `root` showing `text`.
QQuickItem* textItem(QQuickItem* root, const QString& text)
{
    if (root->inherits("QQuickText") && root->property("text").toString() == text)
        return root;
    for (QQuickItem* child : root->childItems()) {
        if (QQuickItem* found = textItem(child, text))
            return found;
    }
    return nullptr;
}

} // namespace

TEST_F(DashboardViewTest, HealthRingShowsItsArcInTheBandColourAtEveryTone)
{
    struct Case {
        int score;
        const char* tone;
    };
    for (const Case& c : {Case{88, "success"}, Case{60, "amber"}, Case{30, "danger"}}) {
        SCOPED_TRACE(c.score);
        ViewStatus each;
        each.healthScore = c.score;
        ViewFixture::Options eachOptions;
        eachOptions.services = [&](AppModelServices& s, const TestEnv&) { each.install(s); };
        ViewFixture fixture(eachOptions);
        ASSERT_NE(fixture.load(QStringLiteral("Roror.Dashboard"), QStringLiteral("DashboardView")), nullptr);
        ASSERT_TRUE(spinUntil([&] {
            QQuickItem* panel = fixture.find(QStringLiteral("heroPanel"));
            return panel && panel->isVisible();
        }));
        fixture.settle();
        RingGaugeArc* arc = heroArc(fixture);
        ASSERT_NE(arc, nullptr);
        // The first snapshot shows the ring at its score, not sweeping up from an empty ring.
        EXPECT_DOUBLE_EQ(arc->progress(), c.score / 100.0);
        const QColor tone = arc->color();
        EXPECT_EQ(tone, fixture.find(QStringLiteral("healthScoreText"))->property("color").value<QColor>());
        EXPECT_EQ(tone, fixture.find(QStringLiteral("heroGlow"))->property("color").value<QColor>());
        // At 3 o'clock every one of these scores has passed: the ring is painted there in the band's hue.
        const QImage image = paintedImage(*arc);
        const QColor atThree = image.pixelColor(image.width() - int(arc->lineWidth() / 2) - 1, image.height() / 2);
        EXPECT_GT(atThree.alphaF(), 0.3);
        EXPECT_NEAR(atThree.toHsv().hslHue(), tone.toHsv().hslHue(), 3);
        EXPECT_TRUE(fixture.warnings().isEmpty()) << fixture.warnings().join('\n').toStdString();
        delete fixture.root();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(DashboardViewTest, GlowIsBlurredAndSoftensOverACustomBackground)
{
    load();
    ASSERT_TRUE(waitForReport());
    view().settle();
    QQuickItem* glow = view().find(QStringLiteral("heroGlow"));
    ASSERT_NE(glow, nullptr);
    EXPECT_DOUBLE_EQ(glow->property("centerOpacity").toDouble(), 0.24);
    GlassSource* source = &GlassSource::shared();
    source->setHasCustomWindowBackground(true);
    EXPECT_DOUBLE_EQ(glow->property("centerOpacity").toDouble(), 0.16);
    source->setHasCustomWindowBackground(false);
    EXPECT_DOUBLE_EQ(glow->property("centerOpacity").toDouble(), 0.24);

    // The circle is 100 wide; the blur carries it past its edge and softens its peak.
    const QImage sharp = HeroGlow::render(QColor(52, 199, 89), 0.24, 100, 52, 0, 1);
    const QImage soft = HeroGlow::render(QColor(52, 199, 89), 0.24, 100, 52, 10, 1);
    ASSERT_EQ(sharp.size(), QSize(100, 100));
    EXPECT_GE(soft.width(), 100 + 2 * 20);
    const auto spilled = [](const QImage& image) {
        const QPointF centre(image.width() / 2.0, image.height() / 2.0);
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (QLineF(centre, QPointF(x + 0.5, y + 0.5)).length() > 51 && qAlpha(image.pixel(x, y)) > 0)
                    ++count;
        return count;
    };
    EXPECT_EQ(spilled(sharp), 0);
    EXPECT_GT(spilled(soft), 100);
    EXPECT_LT(qAlpha(soft.pixel(soft.width() / 2, soft.height() / 2)), qAlpha(sharp.pixel(50, 50)) - 5);
}

TEST_F(DashboardViewTest, ChangedFiguresRollAndUnchangedOnesStayStill)
{
    load();
    ASSERT_TRUE(waitForReport());
    view().settle();
    showProcesses();
    QQuickItem* score = view().find(QStringLiteral("healthScoreText"));
    QQuickItem* firefox = rowNamed(QStringLiteral("firefox-esr"));
    ASSERT_TRUE(score && firefox);
    QQuickItem* cpu = firefox->findChild<QQuickItem*>(QStringLiteral("processCpu"));
    QQuickItem* memory = firefox->findChild<QQuickItem*>(QStringLiteral("processMemory"));
    ASSERT_TRUE(cpu && memory);
    ASSERT_TRUE(spinUntil([&] { return score->property("progress").toDouble() == 1; }, 3000));

    {
        QMutexLocker lock(&status.mutex);
        status.healthScore = 64;
        status.table[0]
            = proc(4321, QStringLiteral("firefox-esr"), 12.0, 8.2, QStringLiteral("/usr/lib/firefox-esr/firefox-esr"));
    }
    ASSERT_TRUE(finish(view().model().refreshDashboardStatus(false)));
    QCoreApplication::processEvents();
    // The new figure comes in while the old one leaves; the memory share did not change.
    EXPECT_EQ(score->property("text").toString(), QStringLiteral("64"));
    EXPECT_EQ(score->property("leavingText").toString(), QStringLiteral("82"));
    EXPECT_LT(score->property("progress").toDouble(), 1);
    EXPECT_EQ(cpu->property("leavingText").toString(), QStringLiteral("31.5%"));
    EXPECT_LT(cpu->property("progress").toDouble(), 1);
    EXPECT_DOUBLE_EQ(memory->property("progress").toDouble(), 1);
    EXPECT_EQ(cpu->property("duration").toInt(), 350);
    EXPECT_TRUE(spinUntil([&] { return score->property("progress").toDouble() == 1; }, 3000));
}

// Below the fold the process list changes without animating (nobody sees it); scrolled into
// view, its rows move and its figures roll again.
TEST_F(DashboardViewTest, ProcessRowsOutOfSightChangeAtOnce)
{
    load();
    ASSERT_TRUE(waitForReport());
    view().settle();
    QQuickItem* scroller = view().find(QStringLiteral("nativePageScroller"));
    QQuickItem* list = view().find(QStringLiteral("processList"));
    ASSERT_TRUE(scroller && list);
    ASSERT_GT(list->mapToScene(QPointF(0, 0)).y(), scroller->height()); // the window shows the cards only

    const auto refreshWith = [&](double cpu) {
        {
            QMutexLocker lock(&status.mutex);
            status.table[0] = proc(4321, QStringLiteral("firefox-esr"), cpu, 8.2,
                                   QStringLiteral("/usr/lib/firefox-esr/firefox-esr"));
        }
        ASSERT_TRUE(finish(view().model().refreshDashboardStatus(false)));
        QCoreApplication::processEvents();
    };
    const auto firefoxCpu = [&] {
        QQuickItem* firefox = rowNamed(QStringLiteral("firefox-esr"));
        return firefox ? firefox->findChild<QQuickItem*>(QStringLiteral("processCpu")) : nullptr;
    };
    // The list lays its rows out on a later frame, in sight or not.
    ASSERT_TRUE(spinUntil([&] { return firefoxCpu() != nullptr; }, 3000));
    refreshWith(12.0);
    EXPECT_EQ(firefoxCpu()->property("text").toString(), QStringLiteral("12.0%"));
    EXPECT_DOUBLE_EQ(firefoxCpu()->property("progress").toDouble(), 1);

    showProcesses();
    refreshWith(18.0);
    EXPECT_EQ(firefoxCpu()->property("leavingText").toString(), QStringLiteral("12.0%"));
    EXPECT_LT(firefoxCpu()->property("progress").toDouble(), 1);
}

// Out of sight the list is hidden; a process that came meanwhile is in its place, whole, in the
// first frame that shows the list, rather than sliding in as the list comes into sight.
TEST_F(DashboardViewTest, ProcessesThatCameOutOfSightAreInPlaceWhenShown)
{
    load();
    ASSERT_TRUE(waitForReport());
    view().settle();
    QQuickItem* list = view().find(QStringLiteral("processList"));
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->isVisible());

    {
        QMutexLocker lock(&status.mutex);
        status.table.prepend(proc(5150, QStringLiteral("gimp"), 44.0, 3.0, QStringLiteral("/usr/bin/gimp")));
    }
    ASSERT_TRUE(finish(view().model().refreshDashboardStatus(false)));
    ASSERT_TRUE(spinUntil([&] { return page()->processCount() == 4; }));
    view().settle();

    ASSERT_NO_FATAL_FAILURE(scrollToProcesses());
    view().grab();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(rowNames(), (QStringList{"gimp", "firefox-esr", "Xorg", "kworker"}));
    for (QQuickItem* row : rows()) {
        EXPECT_EQ(row->x(), 0) << row->property("name").toString().toStdString();
        EXPECT_EQ(row->opacity(), 1) << row->property("name").toString().toStdString();
    }
}

// A refresh that moves the first row elsewhere moves nothing else for long: the view's current
// row marker (an empty item) used to chase the row at 400 px/s, drawing frames for seconds.
TEST_F(DashboardViewTest, NothingChasesTheFirstRowWhenItMoves)
{
    load();
    ASSERT_TRUE(waitForReport());
    view().settle();
    showProcesses();
    QQuickItem* list = view().find(QStringLiteral("processList"));
    ASSERT_NE(list, nullptr);
    auto* marker = list->property("highlightItem").value<QQuickItem*>();
    const QPointF before = marker ? marker->position() : QPointF();
    ASSERT_EQ(rowNames(), (QStringList{"firefox-esr", "Xorg", "kworker"}));

    {
        QMutexLocker lock(&status.mutex);
        status.table[0]
            = proc(4321, QStringLiteral("firefox-esr"), 0.1, 8.2, QStringLiteral("/usr/lib/firefox-esr/firefox-esr"));
    }
    ASSERT_TRUE(finish(view().model().refreshDashboardStatus(false)));
    ASSERT_TRUE(spinUntil([&] { return rowNames() == QStringList{"Xorg", "kworker", "firefox-esr"}; }, 3000));
    // The rows slide for a quarter of a second; by then a chasing marker would be well on its way.
    for (QDeadlineTimer until(300); !until.hasExpired();)
        view().settle(1);
    marker = list->property("highlightItem").value<QQuickItem*>();
    EXPECT_EQ(marker ? marker->position() : QPointF(), before);
}

// Volume names beside the external tag, the address row's interface name and every other cut text
// of the page: none is cut while it fits, at both window sizes and in both languages.
TEST_F(DashboardViewTest, NoTextIsCutWhileItFits)
{
    // Without a name of its own the internal volume shows its group label, INTR.
    status.adjust = [](SystemReport& r) { (*r.disks)[0].name.reset(); };
    load();
    ASSERT_TRUE(waitForReport());
    for (const QSize size : {QSize(980, 720), QSize(1180, 780)}) {
        for (const AppLanguagePreference language : {AppLanguagePreference::english, AppLanguagePreference::chinese}) {
            view().resize(size);
            view().setLanguage(language);
            view().grab();
            ASSERT_NE(textItem(view().root(), QStringLiteral("INTR")), nullptr);
            const std::string where
                = std::to_string(size.width()) + (language == AppLanguagePreference::chinese ? " zh" : " en");
            EXPECT_EQ(textsCutWithRoom(view().root()), QStringList()) << where;
            // The row label column is 52 wide; the interface name is longer and the address leaves room.
            QQuickItem* wifi = textItem(view().root(), QStringLiteral("wlp0s20f3"));
            ASSERT_NE(wifi, nullptr);
            EXPECT_FALSE(wifi->property("truncated").toBool()) << where;
        }
    }
}

TEST_F(DashboardViewTest, FullLoadPercentStaysInsideTheCpuRing)
{
    status.adjust = [](SystemReport& r) { r.cpu->usage = 100.0; };
    load();
    ASSERT_TRUE(waitForReport());
    for (const AppLanguagePreference language : {AppLanguagePreference::english, AppLanguagePreference::chinese}) {
        view().setLanguage(language);
        view().grab();
        QQuickItem* text = view().find(QStringLiteral("cpuTotalText"));
        QQuickItem* ring = view().find(QStringLiteral("cpuRing"));
        ASSERT_TRUE(text && ring);
        ASSERT_EQ(text->property("text").toString(), QStringLiteral("100.0%"));
        // The hole inside the 5-wide stroke.
        const qreal hole = ring->width() - 2 * ring->property("lineWidth").toReal();
        EXPECT_LE(text->property("contentWidth").toReal(), hole);
        EXPECT_EQ(text->mapToScene(QPointF(text->width() / 2, text->height() / 2)),
                  ring->mapToScene(QPointF(ring->width() / 2, ring->height() / 2)));
    }
}
