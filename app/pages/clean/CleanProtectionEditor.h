#pragma once

#include "app/pages/common/ProtectionFile.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace roror {

class AppModel;

// The protection-list sheet's working side: the editor text lives in the model; Save (on `file`)
// writes it through the model and closes, Cancel only closes. A list that could not be read is
// shown as such and is never saved over.
class CleanProtectionEditor : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(roror::AppModel* model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(roror::ProtectionFile* file READ file CONSTANT)

public:
    explicit CleanProtectionEditor(QObject* parent = nullptr);

    AppModel* model() const { return m_model; }
    void setModel(AppModel* model);
    QString text() const;
    void setText(const QString& text);
    ProtectionFile* file() { return &m_file; }

    // Replaces the text with the default patterns, one per line; nothing is written.
    Q_INVOKABLE void restoreDefaults();

signals:
    void modelChanged();
    void textChanged();

private:
    QPointer<AppModel> m_model;
    QMetaObject::Connection m_textConnection;
    ProtectionFile m_file;
};

} // namespace roror
