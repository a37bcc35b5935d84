#include "app/kit/AppTypography.h"

#include "core/model/LocalizationSettings.h"

#include <QGuiApplication>
#include <QQmlEngine>
#include <QScreen>
#include <cmath>

namespace roror {

namespace {

const QString cjkSans = QStringLiteral("Noto Sans CJK SC");
const QString cjkSerif = QStringLiteral("Noto Serif CJK SC");

void setSize(QFont& font, qreal size)
{
    if (size <= 0)
        size = 1;
    if (std::abs(size - std::round(size)) < 0.01) {
        font.setPixelSize(int(std::round(size)));
        return;
    }
    // Pixel sizes are whole numbers; a fractional one goes through points at the screen's DPI.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    font.setPointSizeF(size * 72.0 / dpi);
}

} // namespace

AppTypography::AppTypography(QObject* parent)
    : QObject(parent)
{
    connect(&LocalizationSettings::shared(), &LocalizationSettings::preferenceChanged, this,
            &AppTypography::usesEnglishChanged);
}

AppTypography* AppTypography::create(QQmlEngine*, QJSEngine*)
{
    auto* typography = new AppTypography;
    QQmlEngine::setObjectOwnership(typography, QQmlEngine::JavaScriptOwnership);
    return typography;
}

bool AppTypography::usesEnglishNow()
{
    return LocalizationSettings::shared().resolvedLanguage() == AppResolvedLanguage::english;
}

AppTypography::Design AppTypography::designFromName(const QString& name)
{
    if (name == QLatin1String("serif"))
        return Design::serif;
    if (name == QLatin1String("rounded"))
        return Design::rounded;
    if (name == QLatin1String("monospaced"))
        return Design::monospaced;
    return Design::standard;
}

QStringList AppTypography::families(Design design, bool english)
{
    switch (design) {
    case Design::monospaced:
        return {QStringLiteral("JetBrains Mono"), cjkSans};
    case Design::serif:
        return english ? QStringList{QStringLiteral("Noto Serif"), cjkSerif}
                       : QStringList{cjkSerif, QStringLiteral("Noto Serif")};
    case Design::rounded:
        return english ? QStringList{QStringLiteral("Quicksand"), cjkSans}
                       : QStringList{cjkSans, QStringLiteral("Inter")};
    case Design::standard:
        break;
    }
    return english ? QStringList{QStringLiteral("Inter"), cjkSans} : QStringList{cjkSans, QStringLiteral("Inter")};
}

QFont AppTypography::makeFont(qreal size, int weight, Design design, bool english)
{
    QFont font;
    font.setFamilies(families(design, english));
    font.setWeight(QFont::Weight(std::clamp(weight, 100, 900)));
    font.setStyleHint(design == Design::monospaced  ? QFont::Monospace
                          : design == Design::serif ? QFont::Serif
                                                    : QFont::SansSerif);
    setSize(font, size);
    return font;
}

QFont AppTypography::makeSymbolFont(qreal size, int weight)
{
    QFont font;
    font.setFamilies({QStringLiteral("Material Icons")});
    font.setWeight(QFont::Weight(std::clamp(weight, 100, 900)));
    // The icon font draws its glyphs in 20 of 24 units of the em; a symbol sits a little larger
    // than the letters of the same size.
    setSize(font, std::round(size * 1.2));
    return font;
}

QFont AppTypography::font(qreal size, int weight, const QString& design, bool english) const
{
    return makeFont(size, weight, designFromName(design), english);
}

QFont AppTypography::symbolFont(qreal size, int weight) const
{
    return makeSymbolFont(size, weight);
}

} // namespace roror
