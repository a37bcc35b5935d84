#pragma once

#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

namespace roror {

// The one switch of language-dependent type and the mapping from the interface's type settings
// (size, weight, design) to installed font families. English sets running text in a rounded
// sans and display text in a serif; Chinese uses one CJK sans for both. In QML a binding names
// the language so that it re-evaluates when it changes:
//   font: AppTypography.font(17, Font.DemiBold, "rounded", AppTypography.usesEnglish)
class AppTypography : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool usesEnglish READ usesEnglish NOTIFY usesEnglishChanged)

public:
    enum class Design { standard, serif, rounded, monospaced };

    explicit AppTypography(QObject* parent = nullptr);
    static AppTypography* create(QQmlEngine* engine, QJSEngine* scriptEngine);

    // Read afresh on every call from the shared language setting.
    static bool usesEnglishNow();
    bool usesEnglish() const { return usesEnglishNow(); }

    // "default", "serif", "rounded" or "monospaced"; anything else is the default design.
    static Design designFromName(const QString& name);
    // Families in order of preference; the later ones cover scripts the first lacks.
    static QStringList families(Design design, bool english);
    // `size` in device-independent pixels (fractions kept); `weight` a QFont::Weight value.
    static QFont makeFont(qreal size, int weight, Design design, bool english);
    // The symbol font: icons drawn as large as a text symbol of `size` would be.
    static QFont makeSymbolFont(qreal size, int weight);

    Q_INVOKABLE QFont font(qreal size, int weight, const QString& design, bool english) const;
    Q_INVOKABLE QFont symbolFont(qreal size, int weight) const;

signals:
    void usesEnglishChanged();
};

} // namespace roror
