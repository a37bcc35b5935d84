#pragma once

#include "app/model/AppModel.h"
#include "core/model/AppLocalization.h"
#include "tests/app/model/ModelTestSupport.h"
#include "tests/support/TestEnv.h"

#include <QImage>
#include <QPointer>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSize>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

namespace roror::test {

// A view over a real AppModel with fake services, in a temporary home with its own settings,
// shown in an offscreen window of the given size. Every QML warning is collected; a view test
// fails when any was printed (see ViewTest).
class ViewFixture {
public:
    struct Options {
        AppLanguagePreference language = AppLanguagePreference::english;
        QSize size = QSize(1180, 780);
        // Changes the fake services before the model is made.
        std::function<void(AppModelServices&, const TestEnv&)> services;
        // A fixed folder for the home and settings instead of a temporary one (see TestEnv).
        QString root;
    };

    ViewFixture();
    explicit ViewFixture(Options options);
    ~ViewFixture();
    ViewFixture(const ViewFixture&) = delete;
    ViewFixture& operator=(const ViewFixture&) = delete;

    // Starts over with a new model over fresh settings and `services`, in the same home, engine and
    // window: a tool that shows many states compiles each view once.
    void renew(std::function<void(AppModelServices&, const TestEnv&)> services);

    TestEnv& env() { return *m_env; }
    AppModel& model() { return *m_model; }
    QQmlEngine& engine() { return *m_engine; }
    QQuickWindow& window() { return *m_window; }

    // Makes `uri`'s component `name` (e.g. "Roror.Shell", "ContentView") with `model` and the
    // given properties set, fills the window with it and shows it. Null (and a warning) on failure.
    QQuickItem* load(const QString& uri, const QString& name, const QVariantMap& properties = {});
    // Same, from QML text (for components that need a small frame around them).
    QQuickItem* loadText(const QByteArray& qml, const QVariantMap& properties = {});
    QQuickItem* root() const { return m_root; }

    // The first item below the root (or the root) with this objectName; null when none.
    QQuickItem* find(const QString& objectName) const;
    QList<QQuickItem*> findAll(const QString& objectName) const;
    // Clicks the centre of a visible item through the window, as a user would.
    void click(QQuickItem* item, Qt::MouseButton button = Qt::LeftButton);
    void hover(QQuickItem* item);
    // Runs queued events and lets the scene settle (bindings, layouts, loaders).
    void settle(int rounds = 20);
    void setLanguage(AppLanguagePreference language);
    void resize(const QSize& size);
    QImage grab();

    const QStringList& warnings() const { return m_warnings; }
    void clearWarnings() { m_warnings.clear(); }

private:
    QQuickItem* adopt(QObject* made, const QString& what);

    Options m_options;
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<AppModel> m_model;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QQuickWindow> m_window;
    QPointer<QQuickItem> m_root;
    QStringList m_warnings;
};

// Base of view tests: fails the test on any QML warning the view printed.
class ViewTest : public ::testing::Test {
protected:
    void TearDown() override;
    // Made on first use with the options set before.
    ViewFixture& view();
    ViewFixture::Options options;

private:
    std::unique_ptr<ViewFixture> m_view;
};

} // namespace roror::test
