// Time to build and first paint a result list of N rows (the kit's results section over a list
// model, offscreen, software scene graph). Usage: results_list [runs (default 5)] [rows...]
// Prints one line per row count: "rows=N median_ms=... best_ms=..." and the ratio to the first.
#include "app/kit/RecordListModel.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Entry {
    QString name;
    QString kind;
    qint64 size;
};

const QByteArray sectionQml = R"(
import QtQuick
import QtQuick.Layouts
import Roror.Kit
Item {
    property var rows
    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 30
        ScrollableResultsSection {
            title: "Results"
            subtitle: "Every row of the report"
            listSpacing: 8
            model: rows
            header: ResultsTableHeader {
                spacing: 12
                ResultsHeaderText { Layout.fillWidth: true; text: "Name" }
                ResultsHeaderText { Layout.preferredWidth: 92; text: "Type" }
                ResultsHeaderText { Layout.preferredWidth: 82; horizontalAlignment: Text.AlignRight; text: "Size" }
            }
            delegate: ResultsTableRow {
                id: row
                required property string name
                required property string kind
                required property var size
                spacing: 12
                Text { Layout.fillWidth: true; text: row.name; textFormat: Text.PlainText; elide: Text.ElideMiddle }
                Text { Layout.preferredWidth: 92; text: row.kind; textFormat: Text.PlainText }
                Text { Layout.preferredWidth: 82; horizontalAlignment: Text.AlignRight; text: row.size + " B"; textFormat: Text.PlainText }
            }
        }
    }
})";

QList<Entry> entries(int n)
{
    QList<Entry> out;
    out.reserve(n);
    for (int i = 0; i < n; ++i)
        out.append({QStringLiteral("/home/user/Library/Caches/com.example.app-%1/data.bin").arg(i),
                    QStringLiteral("cache"), qint64(i) * 4096});
    return out;
}

// Builds the model and the view and renders the first frame; returns milliseconds.
double buildAndPaint(QQmlEngine& engine, QQuickWindow& window, const QList<Entry>& source)
{
    QElapsedTimer timer;
    timer.start();
    roror::RecordListModel<Entry> model({{"name", [](const Entry& e) { return QVariant(e.name); }},
                                         {"kind", [](const Entry& e) { return QVariant(e.kind); }},
                                         {"size", [](const Entry& e) { return QVariant(e.size); }}});
    model.setRecords(source);
    QQmlComponent component(&engine);
    component.setData(sectionQml, QUrl(QStringLiteral("qrc:/qt/qml/Roror/Bench.qml")));
    QObject* made
        = component.createWithInitialProperties({{QStringLiteral("rows"), QVariant::fromValue<QObject*>(&model)}});
    auto* item = qobject_cast<QQuickItem*>(made);
    if (!item) {
        for (const auto& e : component.errors())
            std::fprintf(stderr, "%s\n", qPrintable(e.toString()));
        std::exit(1);
    }
    item->setParentItem(window.contentItem());
    item->setSize(window.size());
    const QImage frame = window.grabWindow();
    const double ms = timer.nsecsElapsed() / 1e6;
    if (frame.isNull())
        std::exit(1);
    delete item;
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("QT_QUICK_BACKEND"))
        ::setenv("QT_QUICK_BACKEND", "software", 1);
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<int> counts;
    for (int i = 2; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {500, 5000, 50000};

    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QQuickWindow window;
    window.resize(1180, 780);
    window.show();
    buildAndPaint(engine, window, entries(10)); // loads the modules once

    double first = 0;
    for (int n : counts) {
        const QList<Entry> source = entries(n);
        std::vector<double> times;
        for (int r = 0; r < runs; ++r)
            times.push_back(buildAndPaint(engine, window, source));
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        if (first == 0)
            first = median;
        std::printf("rows=%-6d median_ms=%.2f best_ms=%.2f ratio_to_%d_rows=%.2f\n", n, median, times.front(),
                    counts.front(), median / first);
    }
    return 0;
}
