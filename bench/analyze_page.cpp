// Storage Analysis through the page, next to the engine's own walk.
//
//   analyze_page DIR [RUNS]   for RUNS rounds (default 5, after one warm-up of each): times
//                             LocalAnalysis::snapshot(DIR) alone, then the page's road (Analyze pressed
//                             -> request -> walk on the pool -> report stored -> page rows filled),
//                             and records the longest gap between two ticks of a 1 ms GUI-thread timer
//                             while the page's run is in flight.
//
// bench/analyze_page.sh generates the 200,000-file tree (with analysis_walk) and runs this on it.

#include "app/model/AppModel.h"
#include "app/pages/analyze/AnalyzePage.h"
#include "core/engines/analysis/LocalAnalysis.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct PageRun {
    double ms = 0;
    double longestStallMs = 0;
};

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

PageRun pageRun(roror::AppModel& model, const QString& root)
{
    model.chooseAnalysisPath(root); // clears the report, starts nothing
    roror::AnalyzePage page;
    page.setModel(&model);

    PageRun run;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        run.longestStallMs = std::max(run.longestStallMs, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });

    QEventLoop loop;
    QObject::connect(&page, &roror::AnalyzePage::reportChanged, &loop, [&] {
        if (page.hasReport() && page.entries()->rowCount() > 0)
            loop.quit();
    });
    QElapsedTimer timer;
    timer.start();
    sinceTick.start();
    ticker.start();
    page.analyze();
    loop.exec();
    run.ms = timer.nsecsElapsed() / 1e6;
    ticker.stop();
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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
    const double e = median(engine);
    const double p = median(page);
    std::printf("engine LocalAnalysis::snapshot   median %8.1f ms\n", e);
    std::printf("through the page (rows filled)   median %8.1f ms\n", p);
    std::printf("ratio page / engine              %8.3fx (target <= 1.2x)\n", p / e);
    std::printf("longest GUI-thread stall         max    %8.1f ms, median %.1f ms (target < 50 ms)\n",
                *std::max_element(stalls.begin(), stalls.end()), median(stalls));
    return 0;
}
