#pragma once

#include "tests/support/ViewFixture.h"

#include <QElapsedTimer>
#include <QQuickItem>
#include <QThread>
#include <algorithm>
#include <QTest>
#include <gtest/gtest.h>

namespace roror::test {

// Texts, visibility and positions of the items a page test reads.
inline QString textOf(QQuickItem* item)
{
    return item ? item->property("text").toString() : QString();
}

// Whether the item and all its parents are visible (an item in a hidden section is not seen).
inline bool shown(QQuickItem* item)
{
    return item && item->isVisible() && item->width() > 0 && item->height() > 0;
}

inline QRectF sceneRect(QQuickItem* item)
{
    return item ? item->mapRectToScene(QRectF(0, 0, item->width(), item->height())) : QRectF();
}

// The visible items of that name, in scene order top to bottom.
inline QList<QQuickItem*> shownAll(ViewFixture& view, const QString& name)
{
    QList<QQuickItem*> out;
    for (QQuickItem* item : view.findAll(name)) {
        if (item->isVisible())
            out.append(item);
    }
    std::sort(out.begin(), out.end(),
              [](QQuickItem* a, QQuickItem* b) { return sceneRect(a).top() < sceneRect(b).top(); });
    return out;
}

// Waits for the scene to follow the model (a popup's transitions, a run's queued steps), then lets
// the layouts place what became visible (they do so when a frame is prepared), so that a click
// that follows lands where the user would see the item.
template <typename Predicate>
bool settleUntil(ViewFixture& view, Predicate done, int limitMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs)
            return false;
        view.settle(2);
        QThread::usleep(500);
    }
    view.grab();
    return true;
}

// Scrolls the page (when it scrolls) so that `item` is in the window, then clicks it.
inline void clickInView(ViewFixture& view, QQuickItem* item)
{
    QQuickItem* scroller = view.find(QStringLiteral("nativePageScroller"));
    if (item && scroller && scroller->isAncestorOf(item) && scroller->property("interactive").toBool()) {
        auto* content = scroller->property("contentItem").value<QQuickItem*>();
        const qreal y = item->mapToItem(content, QPointF(0, 0)).y();
        const qreal most = std::max<qreal>(0, scroller->property("contentHeight").toReal() - scroller->height());
        scroller->setProperty("contentY", std::clamp<qreal>(y - scroller->height() / 3, 0, most));
    }
    view.grab();
    view.click(item);
}

// Types into the focused item of the view's window.
inline void typeText(ViewFixture& view, const QString& text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('\n'))
            QTest::keyClick(&view.window(), Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, &view.window(), Qt::Key_unknown, c.toLatin1(), Qt::NoModifier);
    }
    view.settle();
}

} // namespace roror::test
