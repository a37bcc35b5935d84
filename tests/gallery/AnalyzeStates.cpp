#include "tests/gallery/PageGallerySupport.h"

#include <QSettings>
#include <QThread>

namespace roror::gallery {
namespace {

void withReport(AppModelServices& s, const test::TestEnv&)
{
    // The analysis "finished" a little while ago, so the header reads like a real one.
    s.now = [] { return QDateTime::currentDateTime().addSecs(-25 * 60); };
}

void showAnalyze(test::ViewFixture& view)
{
    showWindow(view, AppFeature::analyze);
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
                           s.analysis = [engine = s.analysis](const QString& root) {
                               QThread::msleep(1500);
                               return engine(root);
                           };
                       }});

const bool report
    = add({QStringLiteral("analyze-report"), [](test::ViewFixture& view) { analysed(view, "analyze"); }, withReport});

const bool advanced
    = add({QStringLiteral("analyze-advanced"),
           [](test::ViewFixture& view) {
               analysed(view, "analyzeAdvanced");
               // The page scrolled to the tables, the first one to its last rows.
               scrollTo(view, view.find(QStringLiteral("largestItemsTable")), 60);
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

// A folder with nothing in it.
const bool empty = add({QStringLiteral("analyze-empty"),
                        [](test::ViewFixture& view) {
                            view.model().chooseAnalysisPath(view.env().makeDir(QStringLiteral("Documents")));
                            analysed(view, "analyze");
                        },
                        [](AppModelServices& s, const test::TestEnv&) {
                            s.now = [] { return QDateTime::currentDateTime().addSecs(-2 * 60); };
                        }});

} // namespace
} // namespace roror::gallery
