#include "tests/gallery/PageGallerySupport.h"

#include "core/engines/uninstall/LocalUninstallPreview.h"

#include <QSettings>

namespace roror::gallery {
namespace {

void showUninstall(test::ViewFixture& view)
{
    showWindow(view, AppFeature::uninstall);
}

void withReport(AppModelServices& s, const test::TestEnv&)
{
    // A past uninstall, so the header shows its line.
    auto settings = s.openSettings();
    settings->setValue(QStringLiteral("lastUninstallDate"), double(QDateTime::currentSecsSinceEpoch() - 2 * 86400));
    settings->setValue(QStringLiteral("lastUninstallCount"), 3);
}

void previewed(test::ViewFixture& view)
{
    showUninstall(view);
    call(view, "uninstallPage", "preview");
    settleRuns(view);
    // Icons arrive from their own threads.
    for (int i = 0; i < 20; ++i)
        view.settle(5);
}

const bool first
    = add({QStringLiteral("uninstall-first-visit"), [](test::ViewFixture& view) { showUninstall(view); }, {}});

const bool busy = add({QStringLiteral("uninstall-busy"),
                       [](test::ViewFixture& view) {
                           showUninstall(view);
                           call(view, "uninstallPage", "preview");
                           view.settle();
                       },
                       [](AppModelServices& s, const test::TestEnv&) {
                           s.uninstallPreview = [] { return neverFinishing<UninstallPreviewReport>(); };
                       }});

const bool report = add({QStringLiteral("uninstall-report"), previewed, withReport});

const bool bySize = add({QStringLiteral("uninstall-sorted-by-size"),
                         [](test::ViewFixture& view) {
                             previewed(view);
                             call(view, "uninstallPage", "toggleSizeSort");
                             view.settle();
                         },
                         withReport});

const bool bySizeAscending = add({QStringLiteral("uninstall-sorted-by-size-ascending"),
                                  [](test::ViewFixture& view) {
                                      previewed(view);
                                      call(view, "uninstallPage", "toggleSizeSort");
                                      call(view, "uninstallPage", "toggleSizeSort");
                                      view.settle();
                                  },
                                  withReport});

const bool recentFirst = add({QStringLiteral("uninstall-sorted-recent-first"),
                              [](test::ViewFixture& view) {
                                  previewed(view);
                                  call(view, "uninstallPage", "toggleLastOpenedSort");
                                  view.settle();
                              },
                              withReport});

const bool selection = add({QStringLiteral("uninstall-selection"),
                            [](test::ViewFixture& view) {
                                previewed(view);
                                call(view, "uninstallPage", "enterUninstallSelection");
                                const auto paths = view.model().uninstallPreviewReport()->entries();
                                QMetaObject::invokeMethod(pageObject(view, "uninstallPage"), "setSelected",
                                                          Q_ARG(QString, paths.at(1).path), Q_ARG(bool, true));
                                QMetaObject::invokeMethod(pageObject(view, "uninstallPage"), "setSelected",
                                                          Q_ARG(QString, paths.at(4).path), Q_ARG(bool, true));
                                view.settle();
                            },
                            withReport});

const bool confirmation = add({QStringLiteral("uninstall-confirmation"),
                               [](test::ViewFixture& view) {
                                   previewed(view);
                                   call(view, "uninstallPage", "enterUninstallSelection");
                                   call(view, "uninstallPage", "selectAll");
                                   call(view, "uninstallPage", "requestUninstall");
                                   view.settle();
                               },
                               withReport});

const bool empty = add({QStringLiteral("uninstall-empty"),
                        [](test::ViewFixture& view) {
                            showUninstall(view);
                            call(view, "uninstallPage", "enterUninstallSelection");
                            settleRuns(view);
                        },
                        [](AppModelServices& s, const test::TestEnv& env) {
                            // What the engine finds in a home without applications.
                            const QString empty = env.makeDir(env.outside() + QStringLiteral("/empty/tester"));
                            s.uninstallPreview
                                = [empty] { return QtFuture::makeReadyFuture(LocalUninstallPreview::snapshot(empty)); };
                        }});

} // namespace
} // namespace roror::gallery
