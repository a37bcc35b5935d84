#include "tests/support/ViewFixture.h"

#include "core/model/LocalizationSettings.h"

#include <QCoreApplication>
#include <QFile>
#include <QQmlComponent>
#include <QQmlError>
#include <QTest>
#include <QUrl>
#include <cstdlib>
#include <gtest/gtest.h>

namespace roror::test {

namespace {

// The file of a module's type, as the module's qmldir names it: a module may keep its files in
// folders of their own ("Name 1.0 folder/Name.qml").
QUrl componentUrl(const QString& uri, const QString& name)
{
    const QString folder = QStringLiteral("/qt/qml/") + QString(uri).replace(QLatin1Char('.'), QLatin1Char('/'));
    QString file = name + QStringLiteral(".qml");
    QFile qmldir(QLatin1Char(':') + folder + QStringLiteral("/qmldir"));
    if (qmldir.open(QIODevice::ReadOnly | QIODevice::Text)) {
        while (!qmldir.atEnd()) {
            const QStringList words = QString::fromUtf8(qmldir.readLine()).simplified().split(QLatin1Char(' '));
            if (words.size() == 3 && words[0] == name && words[2].endsWith(QStringLiteral(".qml"))) {
                file = words[2];
                break;
            }
        }
    }
    return QUrl(QStringLiteral("qrc:") + folder + QLatin1Char('/') + file);
}

void collectItems(QQuickItem* item, const QString& name, QList<QQuickItem*>& out)
{
    if (!item)
        return;
    if (item->objectName() == name)
        out.append(item);
    for (QQuickItem* child : item->childItems())
        collectItems(child, name, out);
}

} // namespace

ViewFixture::ViewFixture()
    : ViewFixture(Options{})
{
}

ViewFixture::ViewFixture(Options options)
    : m_options(std::move(options))
{
    if (!std::getenv("QT_QUICK_BACKEND"))
        ::setenv("QT_QUICK_BACKEND", "software", 1);
    m_env = std::make_unique<TestEnv>(QStringList{QStringLiteral("en-US")}, m_options.root);
    LocalizationSettings::shared().setPreference(m_options.language);
    AppModelServices services = fakeServices(*m_env);
    if (m_options.services)
        m_options.services(services, *m_env);
    m_model = std::make_unique<AppModel>(std::move(services));
    m_engine = std::make_unique<QQmlEngine>();
    m_engine->addImportPath(QStringLiteral("qrc:/qt/qml"));
    QObject::connect(m_engine.get(), &QQmlEngine::warnings, m_engine.get(), [this](const QList<QQmlError>& errors) {
        for (const QQmlError& e : errors)
            m_warnings.append(e.toString());
    });
    m_window = std::make_unique<QQuickWindow>();
    m_window->resize(m_options.size);
}

ViewFixture::~ViewFixture()
{
    delete m_root.data();
    // Items the view let go with deleteLater still hold their images; without an event loop after
    // the test nothing else would delete them.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_window.reset();
    m_engine.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_model.reset();
    LocalizationSettings::shared().setPreference(AppLanguagePreference::english);
}

void ViewFixture::renew(std::function<void(AppModelServices&, const TestEnv&)> services)
{
    // The pointer leaves, so the next view does not start with whatever lies under the last hover or click.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(m_window.get(), &leave);
    delete m_root.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_model.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QFile::remove(m_env->settingsPath());
    LocalizationSettings::shared().setPreference(m_options.language);
    m_options.services = std::move(services);
    AppModelServices made = fakeServices(*m_env);
    if (m_options.services)
        m_options.services(made, *m_env);
    m_model = std::make_unique<AppModel>(std::move(made));
}

QQuickItem* ViewFixture::adopt(QObject* made, const QString& what)
{
    auto* item = qobject_cast<QQuickItem*>(made);
    if (!item) {
        m_warnings.append(QStringLiteral("%1 is not an item").arg(what));
        delete made;
        return nullptr;
    }
    delete m_root.data();
    m_root = item;
    item->setParentItem(m_window->contentItem());
    item->setSize(m_window->size());
    QObject::connect(m_window.get(), &QQuickWindow::widthChanged, item,
                     [this, item] { item->setWidth(m_window->width()); });
    QObject::connect(m_window.get(), &QQuickWindow::heightChanged, item,
                     [this, item] { item->setHeight(m_window->height()); });
    m_window->show();
    settle();
    return item;
}

QQuickItem* ViewFixture::load(const QString& uri, const QString& name, const QVariantMap& properties)
{
    QQmlComponent component(m_engine.get(), componentUrl(uri, name));
    QVariantMap all = properties;
    if (!all.contains(QStringLiteral("model")))
        all.insert(QStringLiteral("model"), QVariant::fromValue(m_model.get()));
    QObject* made = component.createWithInitialProperties(all);
    if (!made) {
        for (const QQmlError& e : component.errors())
            m_warnings.append(e.toString());
        return nullptr;
    }
    return adopt(made, name);
}

QQuickItem* ViewFixture::loadText(const QByteArray& qml, const QVariantMap& properties)
{
    QQmlComponent component(m_engine.get());
    component.setData(qml, QUrl(QStringLiteral("qrc:/qt/qml/Roror/TestFrame.qml")));
    QVariantMap all = properties;
    QObject* made = component.createWithInitialProperties(all);
    if (!made) {
        for (const QQmlError& e : component.errors())
            m_warnings.append(e.toString());
        return nullptr;
    }
    return adopt(made, QStringLiteral("text component"));
}

QQuickItem* ViewFixture::find(const QString& objectName) const
{
    const auto all = findAll(objectName);
    return all.isEmpty() ? nullptr : all.first();
}

QList<QQuickItem*> ViewFixture::findAll(const QString& objectName) const
{
    QList<QQuickItem*> out;
    collectItems(m_window->contentItem(), objectName, out);
    return out;
}

void ViewFixture::click(QQuickItem* item, Qt::MouseButton button)
{
    if (!item)
        return;
    const QPoint at = item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
    QTest::mouseClick(m_window.get(), button, Qt::NoModifier, at);
    settle();
}

void ViewFixture::hover(QQuickItem* item)
{
    if (!item)
        return;
    const QPoint at = item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
    QTest::mouseMove(m_window.get(), at);
    settle();
}

void ViewFixture::settle(int rounds)
{
    for (int i = 0; i < rounds; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void ViewFixture::setLanguage(AppLanguagePreference language)
{
    LocalizationSettings::shared().setPreference(language);
    settle();
}

void ViewFixture::resize(const QSize& size)
{
    m_window->resize(size);
    settle();
}

QImage ViewFixture::grab()
{
    settle();
    return m_window->grabWindow();
}

void ViewTest::TearDown()
{
    if (m_view) {
        EXPECT_TRUE(m_view->warnings().isEmpty()) << m_view->warnings().join(QLatin1Char('\n')).toStdString();
    }
    m_view.reset();
}

ViewFixture& ViewTest::view()
{
    if (!m_view)
        m_view = std::make_unique<ViewFixture>(options);
    return *m_view;
}

} // namespace roror::test
