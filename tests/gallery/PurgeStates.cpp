#include "tests/gallery/PageGallerySupport.h"

#include "core/engines/purge/PurgePreviewReport.h"

#include <QSettings>

namespace roror::gallery {
namespace {

PurgePreviewReport::Entry folder(const QString& path, const QString& target, qint64 bytes, std::optional<int> files,
                                 std::optional<int> folders)
{
    PurgePreviewReport::Entry e;
    e.id = QUuid::createUuid();
    e.path = path;
    e.name = path.section(QLatin1Char('/'), -1);
    e.target = target;
    e.byteCount = bytes;
    e.fileCount = files;
    e.directoryCount = folders;
    return e;
}

PurgePreviewReport sampleReport(const QString& root)
{
    QList<PurgePreviewReport::Entry> entries{
        folder(root + "/web-shop/node_modules", "node_modules", 1'284'000'000, 48211, 6120),
        folder(root + "/engine/target", "target", 3'912'000'000, 10422, 812),
        folder(root + "/ios-client/DerivedData", "DerivedData", 2'100'000'000, 22016, 3110),
        folder(root + "/ml-notebooks/.venv", ".venv", 611'000'000, 15002, 1402),
        folder(root + "/docs-site/.next", ".next", 96'400'000, 1210, 88),
        folder(root + "/an-extremely-long-project-name-that-keeps-going-and-going/packages/frontend/node_modules",
               "node_modules", 402'000'000, std::nullopt, std::nullopt),
        folder(root + "/game/build", "build", 58'000'000, 304, 0),
        folder(root + "/api/__pycache__", "__pycache__", 2'400'000, 61, 4),
    };
    for (int i = 0; i < 12; ++i)
        entries.append(
            folder(root + QStringLiteral("/archive/app-%1/dist").arg(i + 1), "dist", 9'000'000 - i * 500'000, 40, 6));
    return PurgePreviewReport(root, entries, QDateTime::currentDateTime());
}

const QString projects = QStringLiteral("/home/alex/Projects");

void withReport(AppModelServices& s, const test::TestEnv&)
{
    s.purgePreview = [](const QString& root) { return QtFuture::makeReadyFuture(sampleReport(root)); };
    auto settings = s.openSettings();
    settings->setValue(QStringLiteral("lastPurgeScanDate"), double(QDateTime::currentSecsSinceEpoch() - 26 * 3600));
    settings->setValue(QStringLiteral("lastPurgeCleanedCount"), 3);
    settings->setValue(QStringLiteral("lastPurgeCleanedBytes"), 4'210'000'000LL);
}

void showPurge(test::ViewFixture& view)
{
    view.model().chooseScanPath(projects);
    showPage(view, "Roror.Pages.Purge", "PurgeView");
}

const bool first = add({QStringLiteral("purge-first-visit"), [](test::ViewFixture& view) { showPurge(view); },
                        [](AppModelServices& s, const test::TestEnv&) {
                            s.purgePreview
                                = [](const QString& root) { return QtFuture::makeReadyFuture(sampleReport(root)); };
                        }});

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

const bool empty
    = add({QStringLiteral("purge-empty"),
           [](test::ViewFixture& view) {
               showPurge(view);
               call(view, "purgePage", "preview");
               settleRuns(view);
           },
           [](AppModelServices& s, const test::TestEnv&) {
               s.purgePreview = [](const QString& root) {
                   return QtFuture::makeReadyFuture(PurgePreviewReport(root, {}, QDateTime::currentDateTime()));
               };
           }});

} // namespace
} // namespace roror::gallery
