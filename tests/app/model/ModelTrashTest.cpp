#include "core/model/AppActionFactory.h"
#include "tests/app/model/ModelTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThread>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

UninstallPreviewReport::Entry app(const QString& path, const QStringList& leftovers)
{
    UninstallPreviewReport::Entry entry;
    entry.id = path;
    entry.name = QFileInfo(path).completeBaseName();
    entry.path = path;
    entry.leftoverPaths = leftovers;
    return entry;
}

class ModelTrash : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        // The real Trash (inside the fake home), with a record of every call and chosen failures.
        const auto real = services.moveToTrash;
        services.moveToTrash
            = [real, calls = calls, failing = failing](const QString& path, const QString& folder, QString* error) {
                  calls->append(path);
                  if (failing->contains(path)) {
                      *error = QStringLiteral("refused by the test");
                      return false;
                  }
                  return real(path, folder, error);
              };
    }

    QString file(const QString& relative, const QByteArray& bytes = "x") { return env.writeFile(relative, bytes); }
    static bool exists(const QString& path) { return QFileInfo::exists(path); }

    AppModel& withUninstallReport(AppModel& model, const QList<UninstallPreviewReport::Entry>& entries)
    {
        uninstallReport = UninstallPreviewReport(entries);
        EXPECT_TRUE(finish(model.execute(AppActionFactory::uninstall(true, false))));
        return model;
    }

    TestEnv env;
    AppModelServices services = fakeServices(env);
    std::shared_ptr<QStringList> calls = std::make_shared<QStringList>();
    std::shared_ptr<QSet<QString>> failing = std::make_shared<QSet<QString>>();
    UninstallPreviewReport uninstallReport;

    std::unique_ptr<AppModel> makeModel()
    {
        services.uninstallPreview = [this] { return ready(uninstallReport); };
        return std::make_unique<AppModel>(services);
    }
};

// ---- Off the GUI thread ----------------------------------------------------------------------

TEST_F(ModelTrash, EveryBatchMovesOffTheGuiThreadWhileThePageShowsItIsBusy)
{
    // The move waits until the test lets it go; the window stays live and marked busy meanwhile.
    struct Case {
        const char* name;
        AppFeature feature;
        std::function<QFuture<void>(AppModel&, const QString& item)> start;
        const char* busyTitle;
        const char* doneTitle;
    };
    const Case cases[] = {
        {"uninstall", AppFeature::uninstall,
         [](AppModel& m, const QString& item) { return m.uninstallSelectedApps({app(item, {})}); }, "Uninstalling",
         "Uninstall Complete"},
        {"installer files", AppFeature::installer,
         [](AppModel& m, const QString& item) { return m.moveInstallersToTrash({item}); }, "Moving to Trash",
         "Moved to Trash"},
        {"project folder", AppFeature::purge, [](AppModel& m, const QString& item) { return m.moveToTrash(item); },
         "Moving to Trash", "Moved to Trash"},
        {"analysis item", AppFeature::analyze,
         [](AppModel& m, const QString& item) { return m.moveToTrash(item, AppFeature::analyze); }, "Moving to Trash",
         "Moved to Trash"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto release = std::make_shared<QSemaphore>();
        auto entered = std::make_shared<std::atomic<bool>>(false);
        auto onGuiThread = std::make_shared<std::atomic<bool>>(false);
        const auto real = services.moveToTrash;
        AppModelServices s = services;
        s.moveToTrash = [=](const QString& path, const QString& folder, QString* error) {
            *onGuiThread = QThread::currentThread() == QCoreApplication::instance()->thread();
            *entered = true;
            release->tryAcquire(1, 5000);
            return real(path, folder, error);
        };
        AppModel model(s);
        const QString item = env.makeDir(QStringLiteral("Applications/%1.app").arg(QString::fromUtf8(c.name)));
        const QFuture<void> run = c.start(model, item);
        ASSERT_TRUE(spinUntil([&] { return entered->load(); }));
        EXPECT_FALSE(*onGuiThread);
        EXPECT_TRUE(model.isRunning());
        EXPECT_EQ(model.runningFeature(), c.feature);
        EXPECT_EQ(model.statusTitle(), QString::fromUtf8(c.busyTitle));
        EXPECT_TRUE(exists(item));
        release->release();
        ASSERT_TRUE(finish(run));
        EXPECT_FALSE(exists(item));
        EXPECT_EQ(model.statusTitle(), QString::fromUtf8(c.doneTitle));
        EXPECT_FALSE(model.isRunning());
        EXPECT_EQ(model.runningFeature(), std::nullopt);
    }
}

TEST_F(ModelTrash, AModelClosedDuringAMoveLetsTheMoveEnd)
{
    auto release = std::make_shared<QSemaphore>();
    auto entered = std::make_shared<std::atomic<bool>>(false);
    const auto real = services.moveToTrash;
    services.moveToTrash = [=](const QString& path, const QString& folder, QString* error) {
        *entered = true;
        release->tryAcquire(1, 5000);
        return real(path, folder, error);
    };
    const QString item = file(QStringLiteral("Downloads/setup.dmg"));
    {
        auto model = makeModel();
        model->moveInstallersToTrash({item});
        ASSERT_TRUE(spinUntil([&] { return entered->load(); }));
        release->release();
    } // waits for the move under way; its result goes nowhere
    drainEvents();
    EXPECT_FALSE(exists(item));
}

TEST_F(ModelTrash, ClosingStopsAfterTheItemUnderWayAndDropsTheRest)
{
    auto release = std::make_shared<QSemaphore>();
    auto entered = std::make_shared<std::atomic<bool>>(false);
    const auto real = services.moveToTrash;
    services.moveToTrash = [=](const QString& path, const QString& folder, QString* error) {
        if (!entered->exchange(true))
            release->tryAcquire(1, 5000);
        return real(path, folder, error);
    };
    const QString first = file(QStringLiteral("Downloads/1.dmg"));
    const QString second = file(QStringLiteral("Downloads/2.dmg"));
    const QString third = file(QStringLiteral("Downloads/3.dmg"));
    const QString queued = file(QStringLiteral("Downloads/queued.dmg"));
    QFuture<void> laterMove;
    {
        auto model = makeModel();
        model->moveInstallersToTrash({first, second, third});
        laterMove = model->moveToTrash(queued);
        ASSERT_TRUE(spinUntil([&] { return entered->load(); }));
        model->stopTrashMoves(); // what closing the model does first
        release->release();
    } // waits for the item under way only
    drainEvents();
    EXPECT_FALSE(exists(first));
    EXPECT_TRUE(exists(second));
    EXPECT_TRUE(exists(third));
    EXPECT_TRUE(exists(queued));
    EXPECT_TRUE(laterMove.isFinished());
    EXPECT_TRUE(laterMove.isCanceled());
}

// ---- Status after a batch --------------------------------------------------------------------

TEST_F(ModelTrash, ARefusedMoveBehindAnotherLeavesThatMovesResultTable)
{
    struct Case {
        const char* what;
        std::function<QFuture<void>(AppModel&, const QString& item)> first;
        const char* title;
        const char* detail;
    };
    const Case cases[] = {
        {"single move", [](AppModel& m, const QString& item) { return m.moveToTrash(item); }, "Moved to Trash",
         "The selected item has been moved to Trash."},
        {"installer batch", [](AppModel& m, const QString& item) { return m.moveInstallersToTrash({item}); },
         "Moved to Trash", "Moved 1 installer files."},
        {"uninstall", [](AppModel& m, const QString& item) { return m.uninstallSelectedApps({app(item, {})}); },
         "Uninstall Complete", "Processed 1 app items."},
    };
    const QString outside = env.writeFile(env.outside() + QStringLiteral("/keep.dmg"), "canary");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto release = std::make_shared<QSemaphore>();
        auto entered = std::make_shared<std::atomic<bool>>(false);
        const auto real = services.moveToTrash;
        AppModelServices s = services;
        s.moveToTrash = [=](const QString& path, const QString& folder, QString* error) {
            *entered = true;
            release->tryAcquire(1, 5000);
            return real(path, folder, error);
        };
        AppModel model(s);
        const QString item = env.makeDir(QStringLiteral("Applications/%1.app").arg(QString::fromUtf8(c.what)));
        const QFuture<void> first = c.first(model, item);
        ASSERT_TRUE(spinUntil([&] { return entered->load(); }));
        const QFuture<void> second = model.moveToTrash(outside); // refused once its turn comes
        EXPECT_EQ(model.statusTitle(), QStringLiteral("Moving to Trash"));
        release->release();
        ASSERT_TRUE(finish(first));
        ASSERT_TRUE(finish(second));
        EXPECT_EQ(model.statusTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(model.statusDetail(), QString::fromUtf8(c.detail));
        EXPECT_EQ(model.alertMessage(),
                  QStringLiteral("This path is outside the allowed scope and cannot be moved to Trash."));
        EXPECT_FALSE(model.isRunning());
        EXPECT_TRUE(exists(outside));
    }
}

// ---- The real Trash under attack -------------------------------------------------------------

// The Downloads folder becomes a link to an outside folder while an installer batch waits on the
// Trash thread, after the guard has judged it: nothing outside the home may go to the Trash.
TEST_F(ModelTrash, AFolderSwappedForALinkDuringABatchMovesNothingOutsideTheHome)
{
    QStringList inside;
    QStringList outsideTwins;
    for (int i = 0; i < 3; ++i) {
        const QString name = QStringLiteral("setup-%1.dmg").arg(i);
        inside.append(file(QStringLiteral("Downloads/") + name, "inside"));
        outsideTwins.append(env.writeFile(env.outside() + QStringLiteral("/bait/") + name, "outside"));
    }
    const QString downloads = env.home() + QStringLiteral("/Downloads");
    const QString bait = env.outside() + QStringLiteral("/bait");
    auto swapped = std::make_shared<std::atomic<bool>>(false);
    const auto real = services.moveToTrash;
    services.moveToTrash = [=](const QString& path, const QString& folder, QString* error) {
        if (!swapped->exchange(true)) {
            QDir().rename(downloads, downloads + QStringLiteral(".aside"));
            QFile::link(bait, downloads);
        }
        return real(path, folder, error);
    };
    auto model = makeModel();
    ASSERT_TRUE(finish(model->moveInstallersToTrash(inside)));
    for (const QString& twin : outsideTwins)
        EXPECT_TRUE(exists(twin)) << qPrintable(twin);
    EXPECT_EQ(model->statusTitle(), QStringLiteral("Not Completed"));
    EXPECT_FALSE(exists(env.home() + QStringLiteral("/.local/share/Trash/files/setup-0.dmg")));
}

// A name so long that ".trashinfo" would not fit beside it: the move shortens it instead of
// trying new names forever, and the Trash thread goes on to the next batch.
TEST_F(ModelTrash, ANameTooLongForItsInfoFileStillMovesAndLaterMovesRun)
{
    const QString longName
        = file(QStringLiteral("Downloads/") + QString(246, QLatin1Char('n')) + QStringLiteral(".dmg"));
    const QString next = file(QStringLiteral("Downloads/next.dmg"));
    auto model = makeModel();
    const QFuture<void> batch = model->moveInstallersToTrash({longName});
    const QFuture<void> single = model->moveToTrash(next);
    ASSERT_TRUE(finish(batch));
    ASSERT_TRUE(finish(single));
    EXPECT_FALSE(exists(longName));
    EXPECT_FALSE(exists(next));
    EXPECT_EQ(model->lastInstallerCleanedCount(), 1);
    EXPECT_EQ(model->statusTitle(), QStringLiteral("Moved to Trash"));
    EXPECT_TRUE(exists(env.home() + QStringLiteral("/.local/share/Trash/files/") + QString(241, QLatin1Char('n'))
                       + QStringLiteral(".dmg")));
}

// ---- Uninstall -------------------------------------------------------------------------------

TEST_F(ModelTrash, UninstallMovesAppsWithTheirLeftoversOnceAndRebuildsTheReport)
{
    const QString appA = env.makeDir(QStringLiteral("Applications/A.app"));
    const QString appB = env.makeDir(QStringLiteral("Applications/B.app"));
    const QString appC = env.makeDir(QStringLiteral("Applications/C.app"));
    const QString shared = file(QStringLiteral("Library/Caches/shared"));
    const QString prefs = file(QStringLiteral("Library/Preferences/a.plist"));
    auto model = makeModel();
    withUninstallReport(*model, {app(appA, {prefs, appA, shared}), app(appB, {shared}), app(appC, {})});

    QList<std::pair<bool, std::optional<AppFeature>>> busy;
    QObject::connect(model.get(), &AppModel::runningFeatureChanged, model.get(), [&] {
        busy.append({model->isRunning(), model->runningFeature()});
    });
    model->uninstallSelectedApps({app(appA, {prefs, appA, shared}), app(appB, {shared})});
    EXPECT_FALSE(model->isRunning()); // runs after the call returns
    ASSERT_TRUE(spinUntil([&] { return model->statusTitle() == QLatin1String("Uninstall Complete"); }));

    EXPECT_EQ(*calls, (QStringList{appA, prefs, shared, appB}));
    for (const QString& p : {appA, appB, shared, prefs})
        EXPECT_FALSE(exists(p)) << qPrintable(p);
    EXPECT_TRUE(exists(appC));
    EXPECT_EQ(model->statusDetail(), QStringLiteral("Processed 2 app items."));
    EXPECT_EQ(model->lastUninstallCount(), 2);
    EXPECT_EQ(model->lastUninstallDate(), 1700000000.0);
    ASSERT_EQ(model->uninstallPreviewReport()->entries().size(), 1);
    EXPECT_EQ(model->uninstallPreviewReport()->entries().first().path, appC);
    ASSERT_EQ(busy.size(), 2);
    EXPECT_EQ(busy.first(), std::make_pair(true, std::optional<AppFeature>(AppFeature::uninstall)));
    EXPECT_FALSE(model->isRunning());
    EXPECT_EQ(model->runningFeature(), std::nullopt);
}

TEST_F(ModelTrash, AnAppThatDoesNotMoveKeepsItsLeftoversAndItsRow)
{
    const QString moving = env.makeDir(QStringLiteral("Applications/Moving.app"));
    const QString stuck = env.makeDir(QStringLiteral("Applications/Stuck.app"));
    const QString stuckData = file(QStringLiteral("Library/Application Support/Stuck/data"));
    const QString outsideApp = env.makeDir(env.outside() + QStringLiteral("/Elsewhere.app"));
    const QString outsideData = file(QStringLiteral("Library/Caches/elsewhere"));
    const QString missingLeftover = env.home() + QStringLiteral("/Library/Caches/gone");
    failing->insert(stuck);
    auto model = makeModel();
    const QList<UninstallPreviewReport::Entry> entries{app(moving, {missingLeftover}), app(stuck, {stuckData}),
                                                       app(outsideApp, {outsideData})};
    withUninstallReport(*model, entries);
    model->uninstallSelectedApps(entries);
    ASSERT_TRUE(spinUntil([&] { return model->statusTitle() == QLatin1String("Uninstall Complete"); }));

    // The refused app (outside the allowed folders) never reaches the Trash call.
    EXPECT_FALSE(calls->contains(outsideApp));
    EXPECT_TRUE(exists(outsideApp));
    EXPECT_TRUE(exists(stuck));
    EXPECT_TRUE(exists(stuckData));
    EXPECT_TRUE(exists(outsideData));
    EXPECT_FALSE(exists(moving));
    // Failures: the missing leftover, the stuck app and the refused app.
    EXPECT_EQ(model->statusDetail(), QStringLiteral("Processed 1 app items. 3 failed."));
    EXPECT_EQ(model->lastUninstallCount(), 1);
    QStringList left;
    const UninstallPreviewReport after = *model->uninstallPreviewReport();
    for (const auto& e : after.entries())
        left.append(e.path);
    EXPECT_EQ(left, (QStringList{stuck, outsideApp}));

    useLanguage(AppLanguagePreference::chinese);
    const QString other = env.makeDir(QStringLiteral("Applications/Other.app"));
    model->uninstallSelectedApps({app(other, {missingLeftover})});
    ASSERT_TRUE(spinUntil([&] { return model->statusTitle() == QStringLiteral("卸载完成"); }));
    EXPECT_EQ(model->statusDetail(), QStringLiteral("已处理 1 个应用项目，1 个没有成功。"));
}

TEST_F(ModelTrash, AnUninstallThatMovesNoAppChangesNothingButTheBanner)
{
    const QString stuck = env.makeDir(QStringLiteral("Applications/Stuck.app"));
    const QString leftover = file(QStringLiteral("Library/Caches/stuck"));
    failing->insert(stuck);
    {
        auto store = SettingsStore::open();
        store->setValue(QStringLiteral("lastUninstallCount"), 6);
        store->sync();
    }
    auto model = makeModel();
    withUninstallReport(*model, {app(stuck, {leftover})});
    const auto report = model->uninstallPreviewReport();
    model->uninstallSelectedApps({app(stuck, {leftover})});
    ASSERT_TRUE(spinUntil([&] { return model->statusTitle() == QLatin1String("Not Completed"); }));
    EXPECT_EQ(model->statusDetail(), QStringLiteral("The selected apps could not be processed."));
    EXPECT_TRUE(exists(leftover));
    EXPECT_EQ(model->uninstallPreviewReport(), report);
    EXPECT_EQ(model->lastUninstallCount(), 6);
    EXPECT_FALSE(model->isRunning());
}

TEST_F(ModelTrash, UninstallWithoutReportEndsWithAnEmptyOneAndAnEmptySelectionOnlyAlerts)
{
    auto model = makeModel();
    QSignalSpy running(model.get(), &AppModel::isRunningChanged);
    model->uninstallSelectedApps({});
    drainEvents();
    EXPECT_EQ(model->alertMessage(), QStringLiteral("Choose the apps you want to process first."));
    EXPECT_EQ(running.count(), 0);

    const QString a = env.makeDir(QStringLiteral("Applications/A.app"));
    model->uninstallSelectedApps({app(a, {})});
    ASSERT_TRUE(spinUntil([&] { return model->statusTitle() == QLatin1String("Uninstall Complete"); }));
    ASSERT_TRUE(model->uninstallPreviewReport());
    EXPECT_TRUE(model->uninstallPreviewReport()->entries().isEmpty());
}

// ---- Installer batch -------------------------------------------------------------------------

TEST_F(ModelTrash, InstallerBatchCountsAndRemovesOnlyWhatReallyMoved)
{
    const QString a = file(QStringLiteral("Downloads/a.dmg"));
    const QString b = file(QStringLiteral("Downloads/b.pkg"));
    const QString outside = env.writeFile(env.outside() + QStringLiteral("/c.dmg"), "canary");
    const auto entry = [](const QString& path, qint64 bytes) {
        InstallerPreviewReport::Entry e;
        e.path = path;
        e.name = QFileInfo(path).fileName();
        e.byteCount = bytes;
        return e;
    };
    services.installerPreview = [&](const QString&) {
        return ready(InstallerPreviewReport({entry(a, 1000), entry(b, 20000), entry(outside, 300000)}, fixedNow()));
    };
    auto model = makeModel();
    ASSERT_TRUE(finish(model->execute(AppActionFactory::installer(true, false))));
    ASSERT_TRUE(finish(model->moveInstallersToTrash({a, outside, b})));

    EXPECT_TRUE(exists(outside));
    EXPECT_FALSE(calls->contains(outside));
    EXPECT_FALSE(exists(a));
    EXPECT_FALSE(exists(b));
    EXPECT_EQ(model->statusTitle(), QStringLiteral("Moved to Trash"));
    EXPECT_EQ(model->statusDetail(), QStringLiteral("Moved 2 installer files. 1 failed."));
    EXPECT_EQ(model->lastInstallerCleanedCount(), 2);
    EXPECT_EQ(model->lastInstallerCleanedBytes(), 21000);
    EXPECT_EQ(model->lastInstallerScanDate(), 1700000000.0);
    ASSERT_EQ(model->installerPreviewReport()->entries().size(), 1);
    EXPECT_EQ(model->installerPreviewReport()->entries().first().path, outside);

    // The counters hold the last batch only.
    useLanguage(AppLanguagePreference::chinese);
    const QString d = file(QStringLiteral("Downloads/d.zip"));
    ASSERT_TRUE(finish(model->moveInstallersToTrash({d})));
    EXPECT_EQ(model->statusDetail(), QStringLiteral("已移动 1 个安装包。"));
    EXPECT_EQ(model->lastInstallerCleanedCount(), 1);
    EXPECT_EQ(model->lastInstallerCleanedBytes(), 0);
}

TEST_F(ModelTrash, InstallerBatchWithNothingMovedOrNothingChosen)
{
    auto model = makeModel();
    ASSERT_TRUE(finish(model->moveInstallersToTrash({})));
    EXPECT_EQ(model->alertMessage(), QStringLiteral("Choose the installer files you want to clean up first."));
    EXPECT_TRUE(calls->isEmpty());

    ASSERT_TRUE(finish(model->moveInstallersToTrash(
        {env.home() + QStringLiteral("/Downloads/missing.dmg"), QStringLiteral("/etc/hosts")})));
    EXPECT_EQ(model->statusTitle(), QStringLiteral("Not Completed"));
    EXPECT_EQ(model->statusDetail(), QStringLiteral("The selected installer files could not be moved."));
    EXPECT_FALSE(model->installerPreviewReport());
    EXPECT_EQ(model->lastInstallerScanDate(), 0.0);

    ASSERT_TRUE(finish(model->moveInstallersToTrash({file(QStringLiteral("Downloads/x.dmg"))})));
    ASSERT_TRUE(model->installerPreviewReport()); // none held before: an empty report now
    EXPECT_TRUE(model->installerPreviewReport()->entries().isEmpty());
}

// ---- Single move -----------------------------------------------------------------------------

TEST_F(ModelTrash, SingleMoveCountsProjectItemsAndDropsThemFromTheProjectReport)
{
    const QString build = env.makeDir(QStringLiteral("code/app/node_modules"));
    env.writeFile(build + QStringLiteral("/pkg/index.js"), "module");
    const QString other = env.makeDir(QStringLiteral("code/app/target"));
    services.purgePreview = [&](const QString& root) {
        PurgePreviewReport::Entry e1;
        e1.path = build;
        e1.byteCount = 5000;
        PurgePreviewReport::Entry e2;
        e2.path = other;
        e2.byteCount = 7;
        return ready(PurgePreviewReport(root, {e1, e2}, fixedNow()));
    };
    {
        auto store = SettingsStore::open();
        store->setValue(QStringLiteral("lastPurgeCleanedCount"), 10);
        store->setValue(QStringLiteral("lastPurgeCleanedBytes"), 100);
        store->sync();
    }
    auto model = makeModel();
    ASSERT_TRUE(finish(model->execute(AppActionFactory::purge(true, false))));
    ASSERT_TRUE(finish(model->moveToTrash(build)));
    EXPECT_FALSE(exists(build));
    EXPECT_EQ(model->lastPurgeCleanedCount(), 11);
    EXPECT_EQ(model->lastPurgeCleanedBytes(), 5100);
    EXPECT_EQ(model->lastPurgeScanDate(), 1700000000.0);
    EXPECT_EQ(model->statusTitle(), QStringLiteral("Moved to Trash"));
    EXPECT_EQ(model->statusDetail(), QStringLiteral("The selected item has been moved to Trash."));
    ASSERT_EQ(model->purgePreviewReport()->entries().size(), 1);
    EXPECT_EQ(model->purgePreviewReport()->entries().first().path, other);

    // An item the report does not list counts with no bytes.
    ASSERT_TRUE(finish(model->moveToTrash(file(QStringLiteral("notes.txt")))));
    EXPECT_EQ(model->lastPurgeCleanedCount(), 12);
    EXPECT_EQ(model->lastPurgeCleanedBytes(), 5100);
}

TEST_F(ModelTrash, SingleMoveFromStorageAnalysisIsNotCreditedToProjectCleanup)
{
    services.analysis = [](const QString& root) {
        AnalysisReport r;
        r.path = root;
        r.totalSize = 9;
        return r;
    };
    auto model = makeModel();
    model->analyzePath(env.home());
    ASSERT_TRUE(spinUntil([&] { return model->analysisReport().has_value(); }));
    const auto analysis = model->analysisReport();
    const QString big = file(QStringLiteral("Movies/big.mov"));
    ASSERT_TRUE(finish(model->moveToTrash(big, AppFeature::analyze)));
    EXPECT_FALSE(exists(big));
    EXPECT_EQ(model->statusTitle(), QStringLiteral("Moved to Trash"));
    EXPECT_EQ(model->lastPurgeCleanedCount(), 0);
    EXPECT_EQ(model->lastPurgeCleanedBytes(), 0);
    EXPECT_EQ(model->lastPurgeScanDate(), 0.0);
    EXPECT_EQ(model->analysisReport(), analysis);
}

TEST_F(ModelTrash, SingleMoveRefusalsAndFailuresAlertAndCountNothing)
{
    auto model = makeModel();
    QSignalSpy any(model.get(), &AppModel::changed);
    model->moveToTrash(std::nullopt);
    EXPECT_EQ(any.count(), 0);

    const QString canary = env.writeFile(env.outside() + QStringLiteral("/keep.txt"), "canary");
    const QStringList refused{
        canary,
        env.home(),                      // a root itself
        QStringLiteral("relative/path"), // not absolute
        env.home() + QStringLiteral("/../outside/keep.txt"),
    };
    for (const QString& path : refused) {
        model->setAlertMessage(std::nullopt);
        ASSERT_TRUE(finish(model->moveToTrash(path)));
        EXPECT_EQ(model->alertMessage(),
                  QStringLiteral("This path is outside the allowed scope and cannot be moved to Trash."))
            << qPrintable(path);
    }
    EXPECT_TRUE(calls->isEmpty());
    EXPECT_TRUE(exists(canary));
    EXPECT_TRUE(exists(env.home()));

    model->setAlertMessage(std::nullopt);
    ASSERT_TRUE(finish(model->moveToTrash(env.home() + QStringLiteral("/missing"))));
    ASSERT_TRUE(model->alertMessage());
    EXPECT_FALSE(model->alertMessage()->isEmpty());
    EXPECT_EQ(model->lastPurgeCleanedCount(), 0);
    EXPECT_EQ(model->statusTitle(), QStringLiteral("准备就绪"));

    useLanguage(AppLanguagePreference::chinese);
    ASSERT_TRUE(finish(model->moveToTrash(canary)));
    EXPECT_EQ(model->alertMessage(), QStringLiteral("这个路径不在允许范围内，无法移到废纸篓。"));
}

} // namespace
