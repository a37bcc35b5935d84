// Smart Clean page benchmark: how long the page takes to show a preview next to the engine's own
// time over the same tree, and how long the GUI thread's event loop ever stalls meanwhile.
//   page_clean time <home> [runs]   previews <runs> times through the page, each next to one run of
//                                   the engine alone (interleaved, so both see the same machine),
//                                   then cleans once (the tree is emptied by the clean)
// The stall probe is a 10 ms timer on the GUI thread; its worst lateness is the longest time the
// event loop could not answer. The page is the real Smart Clean view in an offscreen window over
// the real model and engines.
#include "app/model/AppModel.h"
#include "app/pages/clean/CleanPage.h"
#include "core/engines/clean/LocalCleanPreview.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace roror;

namespace {

// Records the worst lateness of a 10 ms timer while it runs.
class StallProbe {
public:
    StallProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_worst = std::max(m_worst, now - m_last - 10'000'000);
            m_last = now;
        });
    }
    void start()
    {
        m_worst = 0;
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    double stopMs()
    {
        m_timer.stop();
        // A stall still going on when the work ended counts too.
        m_worst = std::max(m_worst, m_clock.nsecsElapsed() - m_last - 10'000'000);
        return std::max<qint64>(0, m_worst) / 1e6;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_worst = 0;
};

// Runs the event loop until `done` holds.
void spin(const std::function<bool()>& done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int timePage(const QString& home, int runs)
{
    AppModelServices services = AppModelServices::real();
    services.homePath = [home] { return home; };
    AppModel model(services);
    QQmlEngine qml;
    qml.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QQuickWindow window;
    window.resize(1180, 780);
    QQmlComponent component(&qml);
    component.setData("import QtQuick\nimport Roror.Pages.Clean\nCleanView {}\n", QUrl());
    std::unique_ptr<QObject> made(
        component.createWithInitialProperties({{QStringLiteral("model"), QVariant::fromValue(&model)}}));
    auto* view = qobject_cast<QQuickItem*>(made.get());
    if (!view) {
        std::fprintf(stderr, "cannot make the Smart Clean view: %s\n", qPrintable(component.errorString()));
        return 1;
    }
    view->setParentItem(window.contentItem());
    view->setSize(window.size());
    window.show();
    auto* page = view->findChild<CleanPage*>();
    QQuickItem* list = nullptr;
    const auto shown = [&] {
        // The report is on screen once the list holds its rows.
        list = list ? list : view->findChild<QQuickItem*>(QStringLiteral("resultsList"));
        return page->showsPreview() && list && list->isVisible()
            && list->property("count").toInt() == page->rows()->count() && page->rows()->count() > 0;
    };

    StallProbe probe;
    std::vector<double> engineMs;
    std::vector<double> shownMs;
    double previewStall = 0;
    for (int i = 0; i <= runs; ++i) { // the first pair warms up
        QElapsedTimer engineTimer;
        engineTimer.start();
        // The engine alone, on a pool thread as the page's preview runs it.
        QtConcurrent::run([home] { return LocalCleanPreview::snapshot(home); }).waitForFinished();
        const double engineElapsed = engineTimer.nsecsElapsed() / 1e6;

        probe.start();
        QElapsedTimer timer;
        timer.start();
        QMetaObject::invokeMethod(page, "preview");
        spin([&] { return page->busy(); });
        spin([&] { return !page->busy() && shown(); });
        const double elapsed = timer.nsecsElapsed() / 1e6;
        const double stall = probe.stopMs();
        if (i > 0) {
            engineMs.push_back(engineElapsed);
            shownMs.push_back(elapsed);
            previewStall = std::max(previewStall, stall);
        }
    }

    probe.start();
    QElapsedTimer cleanTimer;
    cleanTimer.start();
    QMetaObject::invokeMethod(page, "startCleaning");
    spin([&] { return model.pendingAction().has_value(); });
    model.confirmPendingAction();
    spin([&] { return page->busy(); });
    spin([&] { return !page->busy() && !model.isRunning(); });
    const double cleanMs = cleanTimer.nsecsElapsed() / 1e6;
    const double cleanStall = probe.stopMs();

    const double engineMedian = median(engineMs);
    const double shownMedian = median(shownMs);
    std::printf("engine_median_ms=%.1f page_median_ms=%.1f ratio=%.3f\n", engineMedian, shownMedian,
                shownMedian / engineMedian);
    std::printf("rows=%d preview_max_stall_ms=%.1f\n", page->rows()->count(), previewStall);
    std::printf("clean_ms=%.1f removed=%lld clean_max_stall_ms=%.1f\n", cleanMs,
                static_cast<long long>(model.lastCleanCount()), cleanStall);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || std::string(argv[1]) != "time") {
        std::fprintf(stderr, "usage: %s time <home> [runs]\n", argv[0]);
        return 2;
    }
    const QString home = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    // The model and the engines read the home folder and the settings; both stay in the bench folder.
    ::setenv("HOME", QFile::encodeName(home).constData(), 1);
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("QT_QUICK_BACKEND"))
        ::setenv("QT_QUICK_BACKEND", "software", 1);
    QApplication app(argc, argv);
    SettingsStore::setFilePath(QDir(home).absoluteFilePath(QStringLiteral("../settings.ini")));
    return timePage(home, argc >= 4 ? std::atoi(argv[3]) : 5);
}
