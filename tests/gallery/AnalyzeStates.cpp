#include "tests/gallery/PageGallerySupport.h"

#include "core/model/AnalysisReport.h"

#include <QSettings>
#include <QThread>

namespace roror::gallery {
namespace {

using Entry = AnalysisReport::Entry;

Entry item(std::optional<QString> path, std::optional<qint64> size, std::optional<bool> folder,
           std::optional<QString> name = std::nullopt)
{
    Entry e;
    e.path = path;
    e.name = name ? name : (path ? std::optional<QString>(path->section(QLatin1Char('/'), -1)) : std::nullopt);
    e.size = size;
    e.isDirectory = folder;
    return e;
}

AnalysisReport sampleReport(const QString& root)
{
    AnalysisReport r;
    r.path = root;
    r.totalSize = 48'210'000'000;
    r.totalFiles = 318'442;
    const char* folders[]
        = {"Containers", "Application Support",          "Caches", "Developer",  "Group Containers", "Mail",
           "Messages",   "Photos Library.photoslibrary", "Logs",   "Preferences"};
    qint64 size = 12'400'000'000;
    for (const char* folder : folders) {
        r.entries.append(item(root + QLatin1Char('/') + QLatin1String(folder), size, true));
        size = size * 2 / 3;
        if (r.entries.size() == 2) {
            // An item without a path: its buttons are shown disabled.
            r.entries.append(item(std::nullopt, std::nullopt, true, QStringLiteral("Mobile Documents")));
            r.entries.append(item(
                root + "/an-extremely-long-folder-name-that-keeps-going/and-a-file-with-a-long-name-too.sqlite-wal",
                size, false));
        }
    }
    for (int i = 0; i < 70; ++i)
        r.entries.append(item(root + QStringLiteral("/Item %1").arg(i + 1), 9'000'000 - i * 100'000, i % 3 == 0));
    for (int i = 0; i < 80; ++i)
        r.largeFiles.append(item(
            root + QStringLiteral("/Developer/Xcode/DerivedData/Build-%1/Index.noindex/data-%2.db").arg(i / 10).arg(i),
            6'100'000'000 - qint64(i) * 70'000'000, false));
    return r;
}

void withReport(AppModelServices& s, const test::TestEnv&)
{
    s.analysis = [](const QString& root) { return sampleReport(root); };
    // The analysis "finished" a little while ago, so the header reads like a real one.
    s.now = [] { return QDateTime::currentDateTime().addSecs(-25 * 60); };
}

void showAnalyze(test::ViewFixture& view)
{
    showPage(view, "Roror.Pages.Analyze", "AnalyzeView");
}

void analysed(test::ViewFixture& view, const char* how)
{
    showAnalyze(view);
    call(view, "analyzePage", how);
    settleRuns(view);
}

const bool first = add({QStringLiteral("analyze-first-visit"), [](test::ViewFixture& view) { showAnalyze(view); }, {}});

const bool busy = add({QStringLiteral("analyze-busy"),
                       [](test::ViewFixture& view) {
                           showAnalyze(view);
                           call(view, "analyzePage", "analyze");
                           view.settle();
                       },
                       [](AppModelServices& s, const test::TestEnv&) {
                           // A walk that outlasts the picture (and ends on its own, so the program can).
                           s.analysis = [](const QString& root) {
                               QThread::msleep(1500);
                               return sampleReport(root);
                           };
                       }});

const bool report
    = add({QStringLiteral("analyze-report"), [](test::ViewFixture& view) { analysed(view, "analyze"); }, withReport});

const bool advanced
    = add({QStringLiteral("analyze-advanced"),
           [](test::ViewFixture& view) {
               analysed(view, "analyzeAdvanced");
               // The page scrolled to the tables, the first one to its last rows.
               if (QQuickItem* scroller = view.find(QStringLiteral("nativePageScroller")))
                   scroller->setProperty("contentY", 420);
               if (QQuickItem* table = view.find(QStringLiteral("largestItemsTable")))
                   QMetaObject::invokeMethod(table->property("listView").value<QObject*>(), "positionViewAtEnd");
               view.settle();
           },
           withReport});

const bool question
    = add({QStringLiteral("analyze-trash-question"),
           [](test::ViewFixture& view) {
               analysed(view, "analyze");
               QMetaObject::invokeMethod(pageObject(view, "analyzePage"), "askTrash", Q_ARG(int, 1), Q_ARG(int, 0));
               view.settle();
           },
           withReport});

const bool empty = add({QStringLiteral("analyze-empty"), [](test::ViewFixture& view) { analysed(view, "analyze"); },
                        [](AppModelServices& s, const test::TestEnv&) {
                            s.now = [] { return QDateTime::currentDateTime().addSecs(-2 * 60); };
                            s.analysis = [](const QString& root) {
                                AnalysisReport r;
                                r.path = root;
                                r.totalSize = 0;
                                r.totalFiles = 0;
                                return r;
                            };
                        }});

} // namespace
} // namespace roror::gallery
