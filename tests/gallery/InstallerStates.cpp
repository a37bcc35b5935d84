#include "tests/gallery/PageGallerySupport.h"

#include "core/engines/installer/InstallerPreviewService.h"

#include <QProcessEnvironment>
#include <QSettings>

namespace roror::gallery {
namespace {

void withReport(AppModelServices& s, const test::TestEnv&)
{
    auto settings = s.openSettings();
    settings->setValue(QStringLiteral("lastInstallerScanDate"), double(QDateTime::currentSecsSinceEpoch() - 5 * 3600));
    settings->setValue(QStringLiteral("lastInstallerCleanedCount"), 4);
    settings->setValue(QStringLiteral("lastInstallerCleanedBytes"), 2'310'000'000LL);
}

void showInstaller(test::ViewFixture& view)
{
    showWindow(view, AppFeature::installer);
}

void previewed(test::ViewFixture& view)
{
    showInstaller(view);
    call(view, "installerPage", "preview");
    settleRuns(view);
}

void select(test::ViewFixture& view, std::initializer_list<int> rows)
{
    const auto entries = view.model().installerPreviewReport()->entries();
    for (int row : rows)
        QMetaObject::invokeMethod(pageObject(view, "installerPage"), "setSelected",
                                  Q_ARG(QString, entries.at(row).path), Q_ARG(bool, true));
    view.settle();
}

const bool first
    = add({QStringLiteral("installer-first-visit"), [](test::ViewFixture& view) { showInstaller(view); }, {}});

const bool busy = add({QStringLiteral("installer-busy"),
                       [](test::ViewFixture& view) {
                           showInstaller(view);
                           call(view, "installerPage", "preview");
                           view.settle();
                       },
                       [](AppModelServices& s, const test::TestEnv&) {
                           s.installerPreview = [](const QString&) { return neverFinishing<InstallerPreviewReport>(); };
                       }});

const bool report = add({QStringLiteral("installer-report"), previewed, withReport});

const bool selection = add({QStringLiteral("installer-selection"),
                            [](test::ViewFixture& view) {
                                previewed(view);
                                call(view, "installerPage", "enterInstallerSelection");
                                select(view, {0, 3});
                            },
                            withReport});

const bool confirmation = add({QStringLiteral("installer-confirmation"),
                               [](test::ViewFixture& view) {
                                   previewed(view);
                                   call(view, "installerPage", "enterInstallerSelection");
                                   select(view, {1, 2, 4});
                                   call(view, "installerPage", "requestDelete");
                                   view.settle();
                               },
                               withReport});

const bool empty
    = add({QStringLiteral("installer-empty"),
           [](test::ViewFixture& view) {
               showInstaller(view);
               call(view, "installerPage", "preview");
               settleRuns(view);
           },
           [](AppModelServices& s, const test::TestEnv& env) {
               // What the engine finds in a home without installers.
               const QString empty = env.makeDir(env.outside() + QStringLiteral("/empty/tester"));
               s.installerPreview = [empty](const QString&) {
                   return InstallerPreviewService::snapshot(empty, QProcessEnvironment::systemEnvironment());
               };
           }});

} // namespace
} // namespace roror::gallery
