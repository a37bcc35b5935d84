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
// written as the font's ligature name, which the font turns into one icon. Names ending in
// ".fill" take filled glyphs, the others outlined ones where the font has them; a symbol the font
// has nothing fitting for is a vector image of the kit instead.
class SymbolCatalogue : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    explicit SymbolCatalogue(QObject* parent = nullptr);
    static SymbolCatalogue* create(QQmlEngine* engine, QJSEngine* scriptEngine);

    // The ligature text of `systemName`; empty for a name the table lacks or draws as an image.
    static QString glyphFor(const QString& systemName);
    // The glyph's own character (its code point in the font), which draws the same icon as the
    // ligature text without the font's ligature lookup: what the views show. Empty as above.
    static QString characterFor(const QString& systemName);
    // The resource path of the image drawing `systemName`; empty for a glyph or an unknown name.
    static QString imageFor(const QString& systemName);
    static bool contains(const QString& systemName);
    static QStringList names();

    Q_INVOKABLE QString character(const QString& systemName) const { return characterFor(systemName); }
    Q_INVOKABLE QString image(const QString& systemName) const { return imageFor(systemName); }
};

} // namespace roror
