#include "app/dashboard/overview/DashboardPage.h"
#include "tests/app/dashboard/DashboardFixtures.h"
#include "tests/gallery/PageGallerySupport.h"

#include <QDeadlineTimer>
#include <stdexcept>

namespace roror::gallery {
namespace {

using ProcessList = QList<SystemReport::ProcessInfo>;

ProcessList recordedProcesses()
{
    using test::proc;
    return {proc(4321, QStringLiteral("firefox-esr"), 31.5, 8.2, QStringLiteral("/usr/lib/firefox-esr/firefox-esr")),
            proc(2210, QStringLiteral("Xorg"), 7.0, 2.1, QStringLiteral("/usr/lib/xorg/Xorg")),
            proc(5120, QStringLiteral("code"), 4.2, 12.5, QStringLiteral("/usr/share/code/code")),
            proc(918, QStringLiteral("pipewire"), 2.8, 0.4, QStringLiteral("/usr/bin/pipewire")),
            proc(1450, QStringLiteral("gnome-shell"), 91.2, 5.6, QStringLiteral("/usr/bin/gnome-shell")),
            proc(6001, QStringLiteral("thunderbird"), 0.9, 74.3,
                 QStringLiteral("/usr/lib/thunderbird/thunderbird-bin-with-a-rather-long-name")),
            proc(77, QStringLiteral("kworker/u16:2"), 0.1, 0.0),
            proc(7302, QString(), std::nullopt, std::nullopt, QString()),
            proc(6420, QStringLiteral("rustc"), 72.4, 3.3, QStringLiteral("/home/me/.cargo/bin/rustc")),
            proc(3001, QStringLiteral("systemd-journald"), 0.0, 0.2, QStringLiteral("/lib/systemd/systemd-journald"))};
}

// Fake probes answering with one fixed snapshot and process table.
std::function<void(AppModelServices&, const test::TestEnv&)> snapshot(std::function<SystemReport()> report,
                                                                      ProcessList processes)
{
    return [report, processes](AppModelServices& s, const test::TestEnv&) {
        s.processSnapshot = [processes] { return processes; };
        s.statusSnapshot = [report](const std::optional<ProcessList>& top) {
            SystemReport r = report();
            r.topProcesses = top.value_or(ProcessList{});
            return r;
        };
        s.liveStatusIntervalMs = 600000;
    };
}

// Runs the event loop for a while, so that fills and rings have finished sliding in.
void letAnimationsFinish(test::ViewFixture& view, int ms = 900)
{
    QDeadlineTimer until(ms);
    while (!until.hasExpired())
        view.settle(1);
}

// The Overview in the window.
QQuickItem* loadPage(test::ViewFixture& view)
{
    QQuickItem* root = showWindow(view, AppFeature::dashboard);
    letAnimationsFinish(view, 300);
    return root;
}

DashboardPage* page(test::ViewFixture& view)
{
    QObject* shown = shownPage(view);
    return shown ? shown->findChild<DashboardPage*>() : nullptr;
}

QQuickItem* loadDashboard(test::ViewFixture& view)
{
    QQuickItem* root = loadPage(view);
    test::spinUntil([&] { return view.model().statusReport().has_value() && !view.model().isRefreshingStatus(); },
                    5000);
    letAnimationsFinish(view);
    return root;
}

// Scrolls the page so that the named item starts near the top of the window.
void scrollAndSettle(test::ViewFixture& view, QQuickItem* item, qreal above = 24)
{
    scrollTo(view, item, above);
    letAnimationsFinish(view, 300);
}

QQuickItem* cardTitled(test::ViewFixture& view, const QString& english, const QString& chinese)
{
    for (QQuickItem* card : view.findAll(QStringLiteral("statusCard"))) {
        const QString title = card->property("title").toString();
        if (title == english || title == chinese)
            return card;
    }
    return nullptr;
}

void showProcesses(test::ViewFixture& view, const QString& sort)
{
    loadDashboard(view);
    if (DashboardPage* overview = page(view))
        overview->setProcessSortRaw(sort);
    scrollAndSettle(view, view.find(QStringLiteral("processSection")), 180);
    QList<QQuickItem*> rows = view.findAll(QStringLiteral("processRow"));
    std::sort(rows.begin(), rows.end(), [](QQuickItem* a, QQuickItem* b) { return a->y() < b->y(); });
    if (rows.size() > 1)
        view.hover(rows[1]);
    letAnimationsFinish(view, 400);
}

SystemReport noBattery()
{
    SystemReport r = test::recordedReport();
    r.batteries.clear();
    return r;
}

SystemReport lowBattery()
{
    SystemReport r = test::recordedReport();
    r.batteries[0].percent = 9.0;
    r.batteries[0].charging = false;
    r.batteries[0].status = QStringLiteral("Discharging");
    r.batteries[0].timeLeft = QStringLiteral("0:41 remaining");
    r.batteries[0].capacity = 58;
    r.thermal->batteryPower = -16.4;
    r.thermal->adapterPower = 0;
    r.thermal->fanSpeed = 3100;
    return r;
}

const bool skeleton = add({QStringLiteral("dashboard-skeleton"), [](test::ViewFixture& view) { loadPage(view); },
                           [](AppModelServices& s, const test::TestEnv&) {
                               // The snapshot never arrives: the page stays on its placeholder.
                               s.statusSnapshot = [](const std::optional<ProcessList>&) -> SystemReport {
                                   throw std::runtime_error("no snapshot in the gallery");
                               };
                               s.liveStatusIntervalMs = 600000;
                           }});

const bool full = add({QStringLiteral("dashboard-full"), [](test::ViewFixture& view) { loadDashboard(view); },
                       snapshot(test::recordedReport, recordedProcesses())});

const bool cards = add({QStringLiteral("dashboard-cards"),
                        [](test::ViewFixture& view) {
                            loadDashboard(view);
                            scrollAndSettle(view, view.find(QStringLiteral("cardGrid")));
                        },
                        snapshot(test::recordedReport, recordedProcesses())});

const bool absent = add({QStringLiteral("dashboard-absent"),
                         [](test::ViewFixture& view) {
                             loadDashboard(view);
                             scrollAndSettle(view, view.find(QStringLiteral("heroPanel")));
                         },
                         snapshot([] { return SystemReport(); }, {})});

const bool absentProcesses = add({QStringLiteral("dashboard-absent-processes"),
                                  [](test::ViewFixture& view) {
                                      loadDashboard(view);
                                      scrollAndSettle(view, view.find(QStringLiteral("processSection")), 180);
                                  },
                                  snapshot([] { return SystemReport(); }, {})});

const bool battery = add({QStringLiteral("dashboard-power-battery"),
                          [](test::ViewFixture& view) {
                              loadDashboard(view);
                              scrollAndSettle(view, cardTitled(view, QStringLiteral("Power"), QStringLiteral("电源")));
                          },
                          snapshot(lowBattery, recordedProcesses())});

const bool noBatteryCard
    = add({QStringLiteral("dashboard-power-none"),
           [](test::ViewFixture& view) {
               loadDashboard(view);
               scrollAndSettle(view, cardTitled(view, QStringLiteral("Power"), QStringLiteral("电源")));
           },
           snapshot(noBattery, recordedProcesses())});

const bool byCpu = add({QStringLiteral("dashboard-processes-cpu"),
                        [](test::ViewFixture& view) { showProcesses(view, QStringLiteral("cpu")); },
                        snapshot(test::recordedReport, recordedProcesses())});

const bool byMemory = add({QStringLiteral("dashboard-processes-memory"),
                           [](test::ViewFixture& view) { showProcesses(view, QStringLiteral("memory")); },
                           snapshot(test::recordedReport, recordedProcesses())});

const bool forceQuit = add({QStringLiteral("dashboard-force-quit"),
                            [](test::ViewFixture& view) {
                                showProcesses(view, QStringLiteral("cpu"));
                                if (DashboardPage* overview = page(view))
                                    overview->requestForceQuit(1);
                                letAnimationsFinish(view, 300);
                            },
                            snapshot(test::recordedReport, recordedProcesses())});

const bool processMenu
    = add({QStringLiteral("dashboard-process-menu"),
           [](test::ViewFixture& view) {
               showProcesses(view, QStringLiteral("cpu"));
               QList<QQuickItem*> rows = view.findAll(QStringLiteral("processRow"));
               std::sort(rows.begin(), rows.end(), [](QQuickItem* a, QQuickItem* b) { return a->y() < b->y(); });
               if (rows.size() > 1)
                   view.click(rows[1], Qt::RightButton);
               letAnimationsFinish(view, 300);
           },
           snapshot(test::recordedReport, recordedProcesses())});

} // namespace
} // namespace roror::gallery
