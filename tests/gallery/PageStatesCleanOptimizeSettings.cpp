// Smart Clean, Optimize and Settings in the page area beside a sidebar-wide strip, in every state
// worth looking at.
#include "tests/gallery/Gallery.h"

#include "core/engines/optimize/OptimizePreviewCatalog.h"
#include "core/model/AppActionFactory.h"

#include <QImage>
#include <QPromise>
#include <QThread>
#include <QQuickItem>
#include <memory>

namespace roror::gallery {
namespace {

using Status = CleanPreviewEntryStatus;

// The page `type` of module `uri` where the window's page area would be.
void showPage(test::ViewFixture& view, const char* uri, const char* type)
{
    const QByteArray qml = QByteArray("import QtQuick\nimport Roror.App\nimport Roror.Kit\nimport ") + uri + "\n"
        + "Rectangle {\n required property AppModel model\n color: AppTheme.windowBackground\n"
          " Rectangle { width: 224; height: parent.height; color: Qt.rgba(0, 0, 0, 0.035) }\n"
        + " " + type + " { x: 224; width: parent.width - 224; height: parent.height; model: parent.model }\n}\n";
    view.loadText(qml, {{QStringLiteral("model"), QVariant::fromValue(&view.model())}});
}

// A result that never arrives, so the page stays busy.
template <typename T>
QFuture<T> never()
{
    static auto* promise = new QPromise<T>();
    promise->start();
    return promise->future();
}

// Lets transitions (a sheet fading in) run to their end: animations advance as frames are drawn.
void finishTransitions(test::ViewFixture& view)
{
    for (int i = 0; i < 16; ++i) {
        QThread::msleep(25);
        view.grab();
    }
}

void settleRun(test::ViewFixture& view)
{
    for (int i = 0; i < 200 && view.model().isRunning(); ++i)
        view.settle(5);
    view.grab();
}

CleanPreviewReport::Entry entry(const char* path, Status status, const char* note, const char* section)
{
    return {QUuid::createUuid(), QString::fromUtf8(section), QString::fromUtf8(path),
            note ? std::optional<QString>(QString::fromUtf8(note)) : std::nullopt, status};
}

CleanPreviewReport sampleCleanReport()
{
    CleanPreviewReport r;
    r.generatedAt = QDateTime::currentDateTime();
    r.entries = {
        entry("/Users/ana/Library/Caches", Status::cleanable, "User app caches · 1.24 GB, 4210 items",
              "User essentials"),
        entry("/Users/ana/Library/Logs", Status::cleanable, "User app logs · 86.2 MB, 312 items", "User essentials"),
        entry("/Users/ana/Library/Caches/Google/Chrome", Status::skipped, "Chrome is running; its caches are kept",
              "Browsers"),
        entry("/Users/ana/Library/Developer/Xcode/DerivedData", Status::review, "Xcode build data · 3.8 GB",
              "Developer tools"),
        entry("/Users/ana/Library/Application Support/CrashReporter", Status::done, "Crash reports · 2.1 MB",
              "Diagnostics"),
        entry("/Users/ana/.Trash", Status::info, "Trash · 640 MB, 18 items", "Trash"),
        entry("/Users/ana/Library/Caches/com.example.editor/very/deep/folder/structure/that/keeps/going/and/going/"
              "until/it/no/longer/fits/on/one/line/cache.db",
              Status::detail, "A path long enough to wrap onto a second line and lose its middle", "User essentials"),
        entry("Total", Status::summary, "About 5.8 GB in 7 places", "Summary"),
    };
    r.summary = QStringLiteral("About 5.8 GB can be cleaned in 7 places.");
    return r;
}

const bool cleanFirst = add({QStringLiteral("clean-first-visit"),
                             [](test::ViewFixture& view) { showPage(view, "Roror.Pages.Clean", "CleanView"); },
                             {}});

const bool cleanBusy = add(
    {QStringLiteral("clean-busy"),
     [](test::ViewFixture& view) {
         showPage(view, "Roror.Pages.Clean", "CleanView");
         view.model().request(AppActionFactory::clean(true, false));
         view.settle(40);
         finishTransitions(view);
     },
     [](AppModelServices& s, const test::TestEnv&) { s.cleanPreview = [] { return never<CleanPreviewReport>(); }; }});

const bool cleanReport = add({QStringLiteral("clean-report"),
                              [](test::ViewFixture& view) {
                                  showPage(view, "Roror.Pages.Clean", "CleanView");
                                  view.model().request(AppActionFactory::clean(true, false));
                                  settleRun(view);
                              },
                              [](AppModelServices& s, const test::TestEnv&) {
                                  s.cleanPreview = [] { return QtFuture::makeReadyFuture(sampleCleanReport()); };
                                  s.now = [] { return QDateTime::currentDateTime(); };
                              }});

const bool cleanEmpty = add({QStringLiteral("clean-empty-report"),
                             [](test::ViewFixture& view) {
                                 showPage(view, "Roror.Pages.Clean", "CleanView");
                                 view.model().request(AppActionFactory::clean(true, false));
                                 settleRun(view);
                             },
                             {}});

const bool cleanCleaned = add({QStringLiteral("clean-after-clean"),
                               [](test::ViewFixture& view) {
                                   showPage(view, "Roror.Pages.Clean", "CleanView");
                                   view.model().request(AppActionFactory::clean(true, false));
                                   settleRun(view);
                                   view.model().request(AppActionFactory::clean(false, false));
                                   view.model().confirmPendingAction();
                                   view.settle(5);
                                   settleRun(view);
                               },
                               [](AppModelServices& s, const test::TestEnv&) {
                                   s.cleanPreview = [] { return QtFuture::makeReadyFuture(sampleCleanReport()); };
                                   s.cleanExecutor = [](const CleanPreviewReport&, const QStringList&) {
                                       LocalCleanResult r;
                                       r.removedCount = 42;
                                       return r;
                                   };
                                   s.now = [] { return QDateTime::currentDateTime().addSecs(-3 * 86400); };
                               }});

const bool cleanSheet = add({QStringLiteral("clean-protection-sheet"),
                             [](test::ViewFixture& view) {
                                 showPage(view, "Roror.Pages.Clean", "CleanView");
                                 view.model().request(AppActionFactory::cleanWhitelist());
                                 view.settle(40);
                                 finishTransitions(view);
                             },
                             [](AppModelServices& s, const test::TestEnv&) {
                                 s.loadCleanWhitelist = [](const QString&) {
                                     return CleanWhitelistState{{QStringLiteral("$HOME/Library/Caches/JetBrains*"),
                                                                 QStringLiteral("$HOME/Library/Caches/ms-playwright*"),
                                                                 QStringLiteral("~/Projects/keep-this-build"),
                                                                 QStringLiteral("FINDER_METADATA")}};
                                 };
                             }});

const bool cleanSheetError
    = add({QStringLiteral("clean-protection-sheet-error"),
           [](test::ViewFixture& view) {
               showPage(view, "Roror.Pages.Clean", "CleanView");
               view.model().request(AppActionFactory::cleanWhitelist());
               view.model().setAlertMessage(std::nullopt);
               view.settle(40);
               finishTransitions(view);
           },
           [](AppModelServices& s, const test::TestEnv&) {
               s.loadCleanWhitelist = [](const QString& home) -> CleanWhitelistState {
                   throw std::runtime_error(
                       (home + QStringLiteral("/.config/roror/whitelist is not UTF-8 text.")).toStdString());
               };
           }});

OptimizePreviewReport sampleOptimizeReport()
{
    OptimizePreviewReport report;
    const auto& items = OptimizePreviewCatalog::items();
    for (qsizetype i = 0; i < items.size(); ++i) {
        auto e = items.at(i).localizedEntry();
        if (i == 0)
            e.detail = QStringLiteral("3 resolvers configured");
        if (i == 8)
            e.detail = QStringLiteral("2.1 GB inactive memory");
        report.entries.append(e);
    }
    return report;
}

const bool optimizeFirst = add({QStringLiteral("optimize-first-visit"),
                                [](test::ViewFixture& view) { showPage(view, "Roror.Pages.Optimize", "OptimizeView"); },
                                {}});

const bool optimizeBusy = add({QStringLiteral("optimize-busy"),
                               [](test::ViewFixture& view) {
                                   showPage(view, "Roror.Pages.Optimize", "OptimizeView");
                                   view.model().request(AppActionFactory::optimize(true, false));
                                   view.settle(40);
                                   finishTransitions(view);
                               },
                               [](AppModelServices& s, const test::TestEnv&) {
                                   s.optimizePreview = [] { return never<OptimizePreviewReport>(); };
                               }});

const bool optimizeReport = add({QStringLiteral("optimize-report"),
                                 [](test::ViewFixture& view) {
                                     showPage(view, "Roror.Pages.Optimize", "OptimizeView");
                                     view.model().request(AppActionFactory::optimize(true, false));
                                     settleRun(view);
                                 },
                                 [](AppModelServices& s, const test::TestEnv&) {
                                     s.optimizePreview
                                         = [] { return QtFuture::makeReadyFuture(sampleOptimizeReport()); };
                                 }});

const bool optimizeEmpty = add({QStringLiteral("optimize-empty-report"),
                                [](test::ViewFixture& view) {
                                    showPage(view, "Roror.Pages.Optimize", "OptimizeView");
                                    view.model().request(AppActionFactory::optimize(true, false));
                                    settleRun(view);
                                },
                                {}});

const bool optimizeSheet
    = add({QStringLiteral("optimize-safeguards-sheet"),
           [](test::ViewFixture& view) {
               showPage(view, "Roror.Pages.Optimize", "OptimizeView");
               view.model().request(AppActionFactory::optimizeWhitelist());
               view.settle(40);
               finishTransitions(view);
           },
           [](AppModelServices& s, const test::TestEnv&) {
               s.loadOptimizeWhitelist = [](const QString&) {
                   const auto& items = OptimizePreviewCatalog::items();
                   return OptimizeWhitelistState{{items.at(1).id, items.at(4).id},
                                                 {QStringLiteral("my-check"), QStringLiteral("other")}};
               };
           }});

const bool optimizeSheetError = add({QStringLiteral("optimize-safeguards-sheet-error"),
                                     [](test::ViewFixture& view) {
                                         showPage(view, "Roror.Pages.Optimize", "OptimizeView");
                                         view.model().request(AppActionFactory::optimizeWhitelist());
                                         view.settle(40);
                                         finishTransitions(view);
                                     },
                                     [](AppModelServices& s, const test::TestEnv&) {
                                         s.loadOptimizeWhitelist = [](const QString&) -> OptimizeWhitelistState {
                                             throw std::runtime_error("The safeguards file is not UTF-8 text.");
                                         };
                                     }});

void scrollSettings(test::ViewFixture& view, qreal fraction)
{
    view.grab();
    QQuickItem* scroller = view.find(QStringLiteral("nativePageScroller"));
    if (!scroller)
        return;
    const qreal most = std::max<qreal>(0, scroller->property("contentHeight").toReal() - scroller->height());
    scroller->setProperty("contentY", most * fraction);
    view.grab();
}

const bool settingsTop = add({QStringLiteral("settings-top"),
                              [](test::ViewFixture& view) { showPage(view, "Roror.Pages.Settings", "SettingsView"); },
                              {}});

const bool settingsMiddle = add({QStringLiteral("settings-scrolled-middle"),
                                 [](test::ViewFixture& view) {
                                     showPage(view, "Roror.Pages.Settings", "SettingsView");
                                     scrollSettings(view, 0.5);
                                 },
                                 {}});

const bool settingsBottom = add({QStringLiteral("settings-scrolled-bottom"),
                                 [](test::ViewFixture& view) {
                                     showPage(view, "Roror.Pages.Settings", "SettingsView");
                                     scrollSettings(view, 1);
                                 },
                                 {}});

const bool settingsBackground = add({QStringLiteral("settings-with-background"),
                                     [](test::ViewFixture& view) {
                                         const QString source
                                             = view.env().outside() + QStringLiteral("/Lake at dusk.jpg");
                                         QImage image(320, 180, QImage::Format_RGB32);
                                         for (int y = 0; y < image.height(); ++y) {
                                             for (int x = 0; x < image.width(); ++x)
                                                 image.setPixel(x, y, qRgb(40 + x / 3, 80 + y / 2, 160 - y / 3));
                                         }
                                         image.save(source, "JPG");
                                         view.model().chooseWindowBackgroundImage(source);
                                         showPage(view, "Roror.Pages.Settings", "SettingsView");
                                         scrollSettings(view, 0.35);
                                     },
                                     {}});

const bool settingsUpdate
    = add({QStringLiteral("settings-update-offered"),
           [](test::ViewFixture& view) {
               // The page reads the feed address from the environment.
               qputenv("ROROR_UPDATE_FEED_URL", "https://example.invalid/feed.json");
               view.model().checkForUpdates(true);
               view.settle(20);
               showPage(view, "Roror.Pages.Settings", "SettingsView");
               scrollSettings(view, 1);
           },
           [](AppModelServices& s, const test::TestEnv&) {
               s.updateFeedURL
                   = [] { return std::optional<QUrl>(QUrl(QStringLiteral("https://example.invalid/feed.json"))); };
               s.fetchLatestUpdate = [](const QUrl&) {
                   RororUpdateInfo info;
                   info.version = QStringLiteral("2.0.0");
                   info.downloadURL = QUrl(QStringLiteral("https://example.invalid/Roror-2.0.0.tar.gz"));
                   return QtFuture::makeReadyFuture(info);
               };
           }});

// The update sheet over the Settings page in one installer state.
void updateSheet(test::ViewFixture& view, const UpdateInstallerState& state)
{
    qunsetenv("ROROR_UPDATE_FEED_URL");
    showPage(view, "Roror.Pages.Settings", "SettingsView");
    view.model().setUpdateInstallerState(state);
    view.model().setShowingUpdateSheet(true);
    view.settle(40);
    finishTransitions(view);
}

const bool updateDownloading
    = add({QStringLiteral("update-sheet-downloading"),
           [](test::ViewFixture& view) { updateSheet(view, UpdateInstallerState::downloading(0.456)); },
           {}});
const bool updateReady
    = add({QStringLiteral("update-sheet-ready"),
           [](test::ViewFixture& view) { updateSheet(view, UpdateInstallerState::readyToInstall()); },
           {}});
const bool updateInstalling
    = add({QStringLiteral("update-sheet-installing"),
           [](test::ViewFixture& view) { updateSheet(view, UpdateInstallerState::installing()); },
           {}});
const bool updateFailed = add(
    {QStringLiteral("update-sheet-failed"),
     [](test::ViewFixture& view) {
         updateSheet(
             view,
             UpdateInstallerState::failed(
                 UpdateInstallerError::downloadFailed(
                     QStringLiteral("the server answered 404 Not Found for https://example.invalid/Roror-2.0.0.tar.gz"))
                     .errorDescription()));
     },
     {}});
const bool updateIdle = add({QStringLiteral("update-sheet-idle"),
                             [](test::ViewFixture& view) { updateSheet(view, UpdateInstallerState::idle()); },
                             {}});

} // namespace
} // namespace roror::gallery

namespace roror::gallery {
namespace {

// The pages in the window, over the backdrop and beside the sidebar.
void inWindow(test::ViewFixture& view, AppFeature feature)
{
    view.load(QStringLiteral("Roror.Shell"), QStringLiteral("ContentView"));
    for (int i = 0; i < 200 && view.model().updateStatusDetail().isEmpty(); ++i)
        view.settle(5);
    view.model().setSelectedFeature(feature);
    view.settle(20);
    finishTransitions(view);
}

const bool cleanWindow = add({QStringLiteral("clean-in-window"),
                              [](test::ViewFixture& view) {
                                  inWindow(view, AppFeature::clean);
                                  view.model().request(AppActionFactory::clean(true, false));
                                  settleRun(view);
                                  finishTransitions(view);
                              },
                              [](AppModelServices& s, const test::TestEnv&) {
                                  s.cleanPreview = [] { return QtFuture::makeReadyFuture(sampleCleanReport()); };
                              }});

const bool optimizeWindow = add(
    {QStringLiteral("optimize-in-window"), [](test::ViewFixture& view) { inWindow(view, AppFeature::optimize); }, {}});

const bool settingsWindow = add({QStringLiteral("settings-in-window"),
                                 [](test::ViewFixture& view) { inWindow(view, AppFeature::maintenance); },
                                 {}});

} // namespace
} // namespace roror::gallery
