#pragma once

#include "core/model/LocalizationSettings.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

namespace roror {

// The interface's view of the shared language setting. Bindings read `chinese` (through
// `Tr.text("清理", "Clean")`) so that every text re-evaluates when the language changes.
class Loc : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool chinese READ chinese NOTIFY languageChanged)
    // "system", "chinese" or "english".
    Q_PROPERTY(QString preference READ preference WRITE setPreference NOTIFY languageChanged)

public:
    explicit Loc(QObject* parent = nullptr);

    static Loc* create(QQmlEngine* engine, QJSEngine* scriptEngine);

    bool chinese() const;
    QString preference() const;
    void setPreference(const QString& raw);

signals:
    void languageChanged();
};

} // namespace roror
