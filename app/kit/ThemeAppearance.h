#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

namespace roror {

// The desktop's light or dark appearance as the theme reads it (`AppTheme.dark`); it follows
// the shared DesktopAppearance live.
class ThemeAppearance : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool dark READ dark NOTIFY darkChanged)

public:
    explicit ThemeAppearance(QObject* parent = nullptr);
    static ThemeAppearance* create(QQmlEngine* engine, QJSEngine* scriptEngine);

    bool dark() const;

signals:
    void darkChanged();
};

} // namespace roror
