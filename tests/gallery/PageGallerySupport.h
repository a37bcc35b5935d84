#pragma once

#include "tests/gallery/Gallery.h"

#include <QDeadlineTimer>
#include <QFuture>
#include <QThread>
#include <QMetaObject>
#include <QPromise>
#include <memory>

namespace roror::gallery {

// A page over the window's plain background, as the root view shows it (without the sidebar).
inline QQuickItem* showPage(test::ViewFixture& view, const char* uri, const char* component)
{
    const QByteArray qml = QByteArray("import QtQuick\nimport Roror.App\nimport Roror.Kit\nimport ") + uri
        + "\nRectangle {\n    required property AppModel model\n    color: AppTheme.windowBackground\n    " + component
        + " {\n        anchors.fill: parent\n        model: parent.model\n    }\n}\n";
    return view.loadText(qml, {{QStringLiteral("model"), QVariant::fromValue(&view.model())}});
}

// The page object a view made (found by its objectName below the view's root).
inline QObject* pageObject(test::ViewFixture& view, const char* name)
{
    return view.root() ? view.root()->findChild<QObject*>(QString::fromLatin1(name)) : nullptr;
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
