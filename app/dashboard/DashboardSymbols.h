#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace roror {

// The dashboard's symbol names mapped to glyphs of the Material icon font.
class DashboardSymbols : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    // The glyph for a symbol name; empty for a name the catalogue does not know.
    Q_INVOKABLE static QString glyph(const QString& name);
};

} // namespace roror
