#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace roror {

class AppModel;

// The protection-list sheet's working side: the editor text lives in the model; Save writes it
// through the model and closes, Cancel only closes. A list that could not be read is shown as such
// and is never saved over: Save is refused and the sheet stays open.
class CleanProtectionEditor : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(roror::AppModel* model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(bool loadFailed READ loadFailed NOTIFY loadStateChanged)
    Q_PROPERTY(QString loadErrorText READ loadErrorText NOTIFY loadStateChanged)
    Q_PROPERTY(bool canSave READ canSave NOTIFY loadStateChanged)

public:
    explicit CleanProtectionEditor(QObject* parent = nullptr);

    AppModel* model() const { return m_model; }
    void setModel(AppModel* model);
    QString text() const;
    void setText(const QString& text);
    bool loadFailed() const;
    QString loadErrorText() const;
    bool canSave() const { return m_model && !loadFailed(); }

    // Replaces the text with the default patterns, one per line; nothing is written.
    Q_INVOKABLE void restoreDefaults();
    // Saves through the model and closes; refused (false, sheet left open) while the list failed to load.
    Q_INVOKABLE bool save();
    Q_INVOKABLE void cancel();

signals:
    void modelChanged();
    void textChanged();
    void loadStateChanged();

private:
    QPointer<AppModel> m_model;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace roror
