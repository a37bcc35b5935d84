#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

namespace roror {

// The one table from the symbol names the interface uses (the names of the platform's symbol
// set, kept everywhere as the icons' identity) to glyphs of the Material icon font. A glyph is
// written as the font's ligature name, which the font turns into one icon.
class SymbolCatalogue : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    explicit SymbolCatalogue(QObject* parent = nullptr);
    static SymbolCatalogue* create(QQmlEngine* engine, QJSEngine* scriptEngine);

    // The ligature text of `systemName`; empty for a name the table lacks.
    static QString glyphFor(const QString& systemName);
    static bool contains(const QString& systemName);
    static QStringList names();

    Q_INVOKABLE QString glyph(const QString& systemName) const { return glyphFor(systemName); }
};

} // namespace roror
