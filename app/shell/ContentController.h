#pragma once

#include "app/model/AppModel.h"

#include <QFuture>
#include <QObject>
#include <QPointer>
#include <QQuickWindow>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

namespace roror {

// What the root view needs of the model, in a form QML can bind to and call: the selected page,
// the backdrop's inputs, the two window-wide alerts and the start-up sequence.
class ContentController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(roror::AppModel* model READ model WRITE setModel NOTIFY modelChanged)
    // The window showing the root view: once its first frame is on screen, the start-up sequence
    // begins, so its work never delays that frame.
    Q_PROPERTY(QQuickWindow* window READ window WRITE setWindow NOTIFY windowChanged)
    // True once the window has put a frame on screen: what waits for it is made after that frame,
    // never before it.
    Q_PROPERTY(bool windowDrawn READ windowDrawn NOTIFY windowDrawnChanged)
    // True once every step of the start-up sequence has run.
    Q_PROPERTY(bool startupFinished READ startupFinished NOTIFY startupFinishedChanged)

    // The raw value of the selected page ("dashboard", "clean", ...) and its place in the sidebar.
    Q_PROPERTY(QString selectedFeature READ selectedFeature WRITE setSelectedFeature NOTIFY selectedFeatureChanged)
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectedFeatureChanged)

    // The backdrop: the aura's score only while the aura is on and a report carries one.
    Q_PROPERTY(bool hasHealthScore READ hasHealthScore NOTIFY healthScoreChanged)
    Q_PROPERTY(int healthScore READ healthScore NOTIFY healthScoreChanged)
    Q_PROPERTY(QUrl backgroundImageUrl READ backgroundImageUrl NOTIFY backgroundChanged)
    Q_PROPERTY(bool hasCustomWindowBackground READ hasCustomWindowBackground NOTIFY backgroundChanged)
    Q_PROPERTY(int backgroundRevision READ backgroundRevision NOTIFY backgroundChanged)

    // The confirmation of a parked destructive action.
    Q_PROPERTY(bool confirmationShown READ confirmationShown NOTIFY pendingActionChanged)
    Q_PROPERTY(QString confirmationMessage READ confirmationMessage NOTIFY pendingActionChanged)
    // The model's message (shown also when it is empty).
    Q_PROPERTY(bool messageShown READ messageShown NOTIFY alertMessageChanged)
    Q_PROPERTY(QString message READ message NOTIFY alertMessageChanged)

public:
    explicit ContentController(QObject* parent = nullptr);

    AppModel* model() const { return m_model; }
    void setModel(AppModel* model);

    QQuickWindow* window() const { return m_window; }
    void setWindow(QQuickWindow* window);
    bool windowDrawn() const { return m_windowDrawn; }
    bool startupFinished() const { return m_startupFinished; }

    QString selectedFeature() const;
    void setSelectedFeature(const QString& raw);
    int selectedIndex() const;

    bool hasHealthScore() const;
    int healthScore() const;
    QUrl backgroundImageUrl() const;
    bool hasCustomWindowBackground() const;
    int backgroundRevision() const;

    bool confirmationShown() const;
    QString confirmationMessage() const;
    bool messageShown() const;
    QString message() const;

    // Runs, one after another and each awaited: the environment texts, the background path check,
    // the optimization safeguards, the first status snapshot and the silent update check. A step
    // that fails does not stop the ones after it. The future ends with the last step.
    QFuture<void> startup();

    // Continue: runs the parked action.
    Q_INVOKABLE void confirmPendingAction();
    // Cancel and every other way of closing the confirmation.
    Q_INVOKABLE void dropPendingAction();
    // OK and every other way of closing the message.
    Q_INVOKABLE void clearMessage();

signals:
    void modelChanged();
    void windowChanged();
    void windowDrawnChanged();
    void startupFinishedChanged();
    void selectedFeatureChanged();
    void healthScoreChanged();
    void backgroundChanged();
    void pendingActionChanged();
    void alertMessageChanged();

private:
    void firstFrameShown();
    void startOnce();

    QPointer<AppModel> m_model;
    QPointer<QQuickWindow> m_window;
    QMetaObject::Connection m_firstFrame;
    bool m_windowDrawn = false;
    bool m_started = false;
    bool m_startupFinished = false;
};

} // namespace roror
