// Smart Clean, Optimize and Settings in the window, in every state worth looking at.
#include "tests/gallery/PageGallerySupport.h"

#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/engines/clean/LocalCleanPreview.h"
#include "core/engines/optimize/OptimizeWhitelistStore.h"
#include "tests/gallery/GalleryHome.h"
#include "core/model/AppActionFactory.h"

#include <QFile>
#include <QImage>
#include <QPromise>
#include <QThread>
#include <QQuickItem>
#include <memory>

namespace roror::gallery {
namespace {

const bool cleanFirst = add(
    {QStringLiteral("clean-first-visit"), [](test::ViewFixture& view) { showWindow(view, AppFeature::clean); }, {}});

const bool cleanBusy = add({QStringLiteral("clean-busy"),
                            [](test::ViewFixture& view) {
                                showWindow(view, AppFeature::clean);
                                view.model().request(AppActionFactory::clean(true, false));
                                view.settle(40);
                                finishTransitions(view);
                            },
                            [](AppModelServices& s, const test::TestEnv&) {
                                s.cleanPreview = [] { return neverFinishing<CleanPreviewReport>(); };
                            }});

const bool cleanReport = add({QStringLiteral("clean-report"),
                              [](test::ViewFixture& view) {
                                  showWindow(view, AppFeature::clean);
                                  view.model().request(AppActionFactory::clean(true, false));
                                  settleRuns(view);
                              },
                              {}});

const bool cleanEmpty = add({QStringLiteral("clean-empty-report"),
                             [](test::ViewFixture& view) {
                                 showWindow(view, AppFeature::clean);
                                 view.model().request(AppActionFactory::clean(true, false));
                                 settleRuns(view);
                             },
                             [](AppModelServices& s, const test::TestEnv& env) {
                                 // What the engine finds in a home with nothing to clean.
                                 const QString empty = env.makeDir(env.outside() + QStringLiteral("/empty/tester"));
                                 // The Trash is found through XDG_DATA_HOME, so it points into that home for the walk.
                                 const QByteArray data = qgetenv("XDG_DATA_HOME");
                                 qputenv("XDG_DATA_HOME", QFile::encodeName(empty + QStringLiteral("/.local/share")));
                                 const CleanPreviewReport report = LocalCleanPreview::snapshot(empty);
                                 qputenv("XDG_DATA_HOME", data);
                                 s.cleanPreview = [report] { return QtFuture::makeReadyFuture(report); };
                             }});

const bool cleanCleaned = add({QStringLiteral("clean-after-clean"),
                               [](test::ViewFixture& view) {
                                   showWindow(view, AppFeature::clean);
                                   view.model().request(AppActionFactory::clean(true, false));
                                   settleRuns(view);
                                   view.model().request(AppActionFactory::clean(false, false));
                                   view.model().confirmPendingAction();
                                   view.settle(5);
                                   settleRuns(view);
                               },
                               [](AppModelServices& s, const test::TestEnv&) {
                                   s.now = [] { return QDateTime::currentDateTime().addSecs(-3 * 86400); };
                               }});

const bool cleanSheet = add({QStringLiteral("clean-protection-sheet"),
                             [](test::ViewFixture& view) {
                                 showWindow(view, AppFeature::clean);
                                 view.model().request(AppActionFactory::cleanWhitelist());
                                 view.settle(40);
                                 finishTransitions(view);
                             },
                             {}});

const bool cleanSheetError = add({QStringLiteral("clean-protection-sheet-error"),
                                  [](test::ViewFixture& view) {
                                      showWindow(view, AppFeature::clean);
                                      view.model().request(AppActionFactory::cleanWhitelist());
                                      view.model().setAlertMessage(std::nullopt);
                                      view.settle(40);
                                      finishTransitions(view);
                                  },
                                  [](AppModelServices& s, const test::TestEnv& env) {
                                      const QString broken = brokenHome(env);
                                      s.loadCleanWhitelist
                                          = [broken](const QString&) { return CleanWhitelistStore::load(broken); };
                                  }});

const bool optimizeFirst = add({QStringLiteral("optimize-first-visit"),
                                [](test::ViewFixture& view) { showWindow(view, AppFeature::optimize); },
                                {}});

const bool optimizeBusy = add({QStringLiteral("optimize-busy"),
                               [](test::ViewFixture& view) {
                                   showWindow(view, AppFeature::optimize);
                                   view.model().request(AppActionFactory::optimize(true, false));
                                   view.settle(40);
                                   finishTransitions(view);
                               },
                               [](AppModelServices& s, const test::TestEnv&) {
                                   s.optimizePreview = [] { return neverFinishing<OptimizePreviewReport>(); };
                               }});

const bool optimizeReport = add({QStringLiteral("optimize-report"),
                                 [](test::ViewFixture& view) {
                                     showWindow(view, AppFeature::optimize);
                                     view.model().request(AppActionFactory::optimize(true, false));
                                     settleRuns(view);
                                 },
                                 {}});

const bool optimizeEmpty = add({QStringLiteral("optimize-empty-report"),
                                [](test::ViewFixture& view) {
                                    showWindow(view, AppFeature::optimize);
                                    view.model().request(AppActionFactory::optimize(true, false));
                                    settleRuns(view);
                                },
                                [](AppModelServices& s, const test::TestEnv&) {
                                    s.optimizePreview
                                        = [] { return QtFuture::makeReadyFuture(OptimizePreviewReport{}); };
                                }});

const bool optimizeSheet = add({QStringLiteral("optimize-safeguards-sheet"),
                                [](test::ViewFixture& view) {
                                    showWindow(view, AppFeature::optimize);
                                    view.model().request(AppActionFactory::optimizeWhitelist());
                                    view.settle(40);
                                    finishTransitions(view);
                                },
                                {}});

const bool optimizeSheetError
    = add({QStringLiteral("optimize-safeguards-sheet-error"),
           [](test::ViewFixture& view) {
               showWindow(view, AppFeature::optimize);
               view.model().request(AppActionFactory::optimizeWhitelist());
               view.settle(40);
               finishTransitions(view);
           },
           [](AppModelServices& s, const test::TestEnv& env) {
               const QString broken = brokenHome(env);
               s.loadOptimizeWhitelist = [broken](const QString&) { return OptimizeWhitelistStore::load(broken); };
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

const bool settingsTop = add(
    {QStringLiteral("settings-top"), [](test::ViewFixture& view) { showWindow(view, AppFeature::maintenance); }, {}});

const bool settingsMiddle = add({QStringLiteral("settings-scrolled-middle"),
                                 [](test::ViewFixture& view) {
                                     showWindow(view, AppFeature::maintenance);
                                     scrollSettings(view, 0.5);
                                 },
                                 {}});

const bool settingsBottom = add({QStringLiteral("settings-scrolled-bottom"),
                                 [](test::ViewFixture& view) {
                                     showWindow(view, AppFeature::maintenance);
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
                                         showWindow(view, AppFeature::maintenance);
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
               showWindow(view, AppFeature::maintenance);
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
    showWindow(view, AppFeature::maintenance);
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
const bool updateFailed
    = add({QStringLiteral("update-sheet-failed"),
           [](test::ViewFixture& view) {
               updateSheet(view,
                           UpdateInstallerState::failed(
                               UpdateInstallerError::downloadFailed(QStringLiteral("HTTP 404")).errorDescription()));
           },
           {}});
const bool updateIdle = add({QStringLiteral("update-sheet-idle"),
                             [](test::ViewFixture& view) { updateSheet(view, UpdateInstallerState::idle()); },
                             {}});

} // namespace
} // namespace roror::gallery
