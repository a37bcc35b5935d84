#pragma once

#include "tests/gallery/Gallery.h"

#include <QDeadlineTimer>
#include <QFuture>
#include <QThread>
#include <QMetaObject>
#include <QPromise>
#include <memory>

namespace roror::gallery {

// The page object with this objectName in the page the window shows.
inline QObject* pageObject(test::ViewFixture& view, const char* name)
{
    QObject* page = shownPage(view);
    if (!page || page->objectName() == QLatin1String(name))
        return page;
    return page->findChild<QObject*>(QString::fromLatin1(name));
}

// Scrolls the page so that `item` starts `above` pixels below the top of the page area.
inline void scrollTo(test::ViewFixture& view, QQuickItem* item, qreal above = 24)
{
    QQuickItem* scroller = view.find(QStringLiteral("nativePageScroller"));
    if (!scroller || !item)
        return;
    auto* content = scroller->property("contentItem").value<QQuickItem*>();
    const qreal top = item->mapToItem(content, QPointF(0, 0)).y() - above;
    const qreal most = scroller->property("contentHeight").toReal() - scroller->height();
    scroller->setProperty("contentY", std::max<qreal>(0, std::min(top, most)));
    view.settle();
}

// Calls a page operation by name, as the view's buttons do.
inline void call(test::ViewFixture& view, const char* page, const char* method)
{
    if (QObject* object = pageObject(view, page))
        QMetaObject::invokeMethod(object, method);
}
inline void call(test::ViewFixture& view, const char* page, const char* method, int value)
{
    if (QObject* object = pageObject(view, page))
        QMetaObject::invokeMethod(object, method, Q_ARG(int, value));
}
inline void call(test::ViewFixture& view, const char* page, const char* method, const QString& value)
{
    if (QObject* object = pageObject(view, page))
        QMetaObject::invokeMethod(object, method, Q_ARG(QString, value));
}

// Lets queued requests start and finished ones land, then the scene settle.
inline void settleRuns(test::ViewFixture& view)
{
    view.settle();
    QDeadlineTimer deadline(10000);
    while (view.model().isRunning() && !deadline.hasExpired()) {
        view.settle(5);
        QThread::msleep(2);
    }
    view.settle();
}

// A result that never comes, so the page stays busy for its picture. The promise lives as long
// as the program.
template <typename T>
QFuture<T> neverFinishing()
{
    static QList<std::shared_ptr<QPromise<T>>> promises;
    auto promise = std::make_shared<QPromise<T>>();
    promise->start();
    promises.append(promise);
    return promise->future();
}

} // namespace roror::gallery
