#pragma once

#include "app/pages/common/ModelConnections.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace roror {

class AppModel;

// The update progress sheet's working side: which body it shows, by the installer's state, and
// the actions of its buttons. A failed step always shows its message (never a finished look) and
// offers Close.
class UpdateProgress : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(roror::AppModel* model READ model WRITE setModel NOTIFY modelChanged)
    // "idle", "downloading", "readyToInstall", "installing" or "failed".
    Q_PROPERTY(QString stage READ stage NOTIFY stateChanged)
    Q_PROPERTY(double progress READ progress NOTIFY stateChanged)
    Q_PROPERTY(QString percentText READ percentText NOTIFY stateChanged)
    Q_PROPERTY(QString failureMessage READ failureMessage NOTIFY stateChanged)

public:
    explicit UpdateProgress(QObject* parent = nullptr);

    AppModel* model() const { return m_model; }
    void setModel(AppModel* model);

    QString stage() const;
    // The download's fraction, limited to 0...1 (0 for anything that is not a number).
    double progress() const;
    QString percentText() const;
    // The failure's own message; a failure without one still says that the update failed.
    QString failureMessage() const;

    // Downloading: stops the download, forgets the state and closes.
    Q_INVOKABLE void cancel();
    // Ready: closes and keeps the downloaded update for later.
    Q_INVOKABLE void later();
    Q_INVOKABLE void restartAndInstall();
    // Failed: forgets the failure and closes.
    Q_INVOKABLE void close();
    Q_INVOKABLE void retry();

    static QString percentText(double progress);

signals:
    void modelChanged();
    void stateChanged();

private:
    QPointer<AppModel> m_model;
    ModelConnections m_connections;
};

} // namespace roror
