#pragma once
// Shared by the page benchmarks: a page view in an offscreen window and a GUI-thread stall meter.

#include "app/model/AppModel.h"

#include <QElapsedTimer>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace bench {

// A page's view over the model, in a window of the usual size.
struct PageWindow {
    QQmlEngine engine;
    QQuickWindow window;
    std::unique_ptr<QQuickItem> root;

    PageWindow(roror::AppModel& model, const char* uri, const char* component)
    {
        engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
        // As in the program, whose window (a QML Window) lends the engine its incubation controller:
        // list rows beyond the visible ones are then made between frames.
        engine.setIncubationController(window.incubationController());
        QQmlComponent made(&engine,
                           QUrl(QStringLiteral("qrc:/qt/qml/") + QString::fromLatin1(uri).replace('.', '/') + '/'
                                + QString::fromLatin1(component) + QStringLiteral(".qml")));
        QObject* object = made.createWithInitialProperties({{QStringLiteral("model"), QVariant::fromValue(&model)}});
        if (!object) {
            std::fprintf(stderr, "%s\n", qPrintable(made.errorString()));
            std::exit(1);
        }
        root.reset(qobject_cast<QQuickItem*>(object));
        window.resize(1180, 780);
        root->setParentItem(window.contentItem());
        root->setSize(window.size());
        window.show();
    }
    ~PageWindow() { root.reset(); }

    template <typename T>
    T* find(const char* name) const
    {
        return root->findChild<T*>(QString::fromLatin1(name));
    }
    // Polishes, synchronizes and draws one frame, as the window does when something changed.
    void frame() { window.grabWindow(); }
};

// The longest gap between two ticks of a 1 ms timer on the GUI thread while it runs.
struct StallMeter {
    QTimer ticker;
    QElapsedTimer sinceTick;
    double longestMs = 0;

    StallMeter()
    {
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, [this] { tick(); });
    }
    void start()
    {
        longestMs = 0;
        sinceTick.start();
        ticker.start();
    }
    void tick()
    {
        longestMs = std::max(longestMs, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    }
    void stop()
    {
        tick();
        ticker.stop();
    }
};

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace bench
