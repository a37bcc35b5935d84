// Storage Analysis through the page, next to the engine's own walk.
//
//   analyze_page DIR [RUNS]   for RUNS rounds (default 5, after one warm-up of each): times
//                             LocalAnalysis::snapshot(DIR) alone, then the page's road in its view
//                             (Analyze pressed -> request -> walk on the pool -> report stored ->
//                             first frame drawn with the table rows), and records the longest gap between
//                             two ticks of a 1 ms GUI-thread timer while the page's run is in flight.
//
// bench/analyze_page.sh generates the 200,000-file tree (with analysis_walk) and runs this on it.

#include "app/pages/analyze/AnalyzePage.h"
#include "bench/PageBench.h"
#include "core/engines/analysis/LocalAnalysis.h"

#include <QApplication>
#include <QEventLoop>

namespace {

double engineMs(const QString& root)
{
    QElapsedTimer timer;
    timer.start();
    const roror::AnalysisReport report = roror::LocalAnalysis::snapshot(root);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (report.entries.isEmpty())
        std::fprintf(stderr, "warning: empty report for %s\n", qPrintable(root));
    return ms;
}

struct PageRun {
    double ms = 0;
    double longestStallMs = 0;
};

PageRun pageRun(roror::AppModel& model, const QString& root)
{
    model.chooseAnalysisPath(root); // clears the report, starts nothing
    bench::PageWindow view(model, "Roror.Pages.Analyze", "AnalyzeView");
    auto* page = view.find<roror::AnalyzePage>("analyzePage");
    view.frame();

    // Done at the first frame drawn after the page has its rows.
    bench::StallMeter stalls;
    QEventLoop loop;
    bool rowsThere = false;
    QObject::connect(page, &roror::AnalyzePage::reportChanged, &loop,
                     [&] { rowsThere = page->hasReport() && page->entries()->rowCount() > 0; });
    QObject::connect(&view.window, &QQuickWindow::frameSwapped, &loop, [&] {
        if (rowsThere && !page->busy())
            loop.quit();
    });
    QElapsedTimer timer;
    timer.start();
    stalls.start();
    page->analyze();
    loop.exec();
    PageRun run;
    run.ms = timer.nsecsElapsed() / 1e6;
    stalls.stop();
    run.longestStallMs = stalls.longestMs;
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: analyze_page DIR [RUNS]\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    roror::AppModel model;
    engineMs(root);
    pageRun(model, root);

    std::vector<double> engine, page, stalls;
    for (int i = 0; i < runs; ++i) {
        engine.push_back(engineMs(root));
        const PageRun run = pageRun(model, root);
        page.push_back(run.ms);
        stalls.push_back(run.longestStallMs);
    }
    const double e = bench::median(engine);
    const double p = bench::median(page);
    std::printf("engine LocalAnalysis::snapshot     median %8.1f ms\n", e);
    std::printf("through the page, rows drawn       median %8.1f ms\n", p);
    std::printf("ratio page / engine                %8.3fx (target <= 1.2x)\n", p / e);
    std::printf("longest GUI-thread stall           max    %8.1f ms, median %.1f ms (target < 25 ms)\n",
                *std::max_element(stalls.begin(), stalls.end()), bench::median(stalls));
    return 0;
}
