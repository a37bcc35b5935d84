#include "tests/gallery/PageGallerySupport.h"

#include "tests/gallery/GalleryHome.h"

#include <QSettings>

namespace roror::gallery {
namespace {

void withReport(AppModelServices& s, const test::TestEnv&)
{
    auto settings = s.openSettings();
    settings->setValue(QStringLiteral("lastPurgeScanDate"), double(QDateTime::currentSecsSinceEpoch() - 26 * 3600));
    settings->setValue(QStringLiteral("lastPurgeCleanedCount"), 3);
    settings->setValue(QStringLiteral("lastPurgeCleanedBytes"), 4'210'000'000LL);
}

void showPurge(test::ViewFixture& view)
{
    view.model().chooseScanPath(projectsFolder(view.env()));
    showWindow(view, AppFeature::purge);
}

const bool first = add({QStringLiteral("purge-first-visit"), [](test::ViewFixture& view) { showPurge(view); }, {}});

const bool busy = add({QStringLiteral("purge-busy"),
                       [](test::ViewFixture& view) {
                           showPurge(view);
                           call(view, "purgePage", "preview");
                           view.settle();
                       },
                       [](AppModelServices& s, const test::TestEnv&) {
                           s.purgePreview = [](const QString&) { return neverFinishing<PurgePreviewReport>(); };
                       }});

const bool report = add({QStringLiteral("purge-report"),
                         [](test::ViewFixture& view) {
                             showPurge(view);
                             call(view, "purgePage", "preview");
                             settleRuns(view);
                         },
                         withReport});

const bool confirm = add({QStringLiteral("purge-trash-question"),
                          [](test::ViewFixture& view) {
                              showPurge(view);
                              call(view, "purgePage", "preview");
                              settleRuns(view);
                              call(view, "purgePage", "askTrash", 1);
                              view.settle();
                          },
                          withReport});

// A folder without projects.
const bool empty = add({QStringLiteral("purge-empty"),
                        [](test::ViewFixture& view) {
                            view.model().chooseScanPath(view.env().home() + QStringLiteral("/Documents"));
                            showWindow(view, AppFeature::purge);
                            call(view, "purgePage", "preview");
                            settleRuns(view);
                        },
                        {}});

} // namespace
} // namespace roror::gallery
