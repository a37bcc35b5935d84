#include "app/kit/AppTypography.h"
#include "app/kit/SymbolCatalogue.h"
#include "app/kit/SymbolSvg.h"
#include "core/model/LocalizationSettings.h"
#include "tests/support/TestEnv.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <vector>

namespace roror::test {
namespace {

using Design = AppTypography::Design;

// The share of an image's area its drawing covers.
double inkCoverage(const QImage& image)
{
    double ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += qAlpha(image.pixel(x, y)) / 255.0;
    return ink / (image.width() * image.height());
}

// The share of a drawing's silhouette (its ink and the holes the ink encloses) that is inked: near
// one for a solid shape, well below for strokes around open insides.
double solidity(const QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    const auto inked = [&](int x, int y) { return qAlpha(image.pixel(x, y)) >= 128; };
    std::vector<bool> outside(static_cast<size_t>(w * h), false);
    std::vector<QPoint> pending;
    for (int x = 0; x < w; ++x)
        pending.insert(pending.end(), {QPoint(x, 0), QPoint(x, h - 1)});
    for (int y = 0; y < h; ++y)
        pending.insert(pending.end(), {QPoint(0, y), QPoint(w - 1, y)});
    while (!pending.empty()) {
        const QPoint p = pending.back();
        pending.pop_back();
        if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h || outside[p.y() * w + p.x()] || inked(p.x(), p.y()))
            continue;
        outside[p.y() * w + p.x()] = true;
        pending.insert(pending.end(), {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
    }
    int ink = 0;
    int silhouette = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            ink += inked(x, y) ? 1 : 0;
            silhouette += outside[y * w + x] ? 0 : 1;
        }
    return silhouette == 0 ? 0 : double(ink) / silhouette;
}

// A symbol as the interface draws it, black on clear, in a square of `size` pixels.
QImage drawSymbol(const QString& name, int size)
{
    const QString image = SymbolCatalogue::imageFor(name);
    if (!image.isEmpty())
        return SymbolSvg::render(image, size, Qt::black);
    QImage drawn(size, size, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    QPainter painter(&drawn);
    painter.setFont(AppTypography::makeSymbolFont(size, QFont::Normal));
    painter.setPen(Qt::black);
    painter.drawText(drawn.rect(), Qt::AlignCenter, SymbolCatalogue::glyphFor(name));
    return drawn;
}

TEST(AppTypographyFonts, EachDesignAndLanguageResolvesToAnInstalledFamily)
{
    struct Case {
        Design design;
        bool english;
        const char* family;
    };
    const Case cases[] = {
        {Design::standard, true, "Inter"},
        {Design::serif, true, "Noto Serif"},
        {Design::rounded, true, "Quicksand"},
        {Design::monospaced, true, "JetBrains Mono"},
        {Design::standard, false, "Noto Sans CJK SC"},
        {Design::rounded, false, "Noto Sans CJK SC"},
        {Design::serif, false, "Noto Serif CJK SC"},
        {Design::monospaced, false, "JetBrains Mono"},
    };
    for (const Case& c : cases) {
        const QFont font = AppTypography::makeFont(15, QFont::Normal, c.design, c.english);
        // The family really in use: a missing font package would fall back to another one.
        EXPECT_EQ(QFontInfo(font).family(), QString::fromLatin1(c.family)) << c.family;
    }
    EXPECT_EQ(QFontInfo(AppTypography::makeSymbolFont(12, QFont::Normal)).family(), QStringLiteral("Material Icons"));
}

TEST(AppTypographyFonts, SizesAreDeviceIndependentPixelsIncludingFractions)
{
    const QFont whole = AppTypography::makeFont(34, QFont::DemiBold, Design::serif, true);
    EXPECT_EQ(whole.pixelSize(), 34);
    EXPECT_EQ(whole.weight(), QFont::DemiBold);
    const QFont half = AppTypography::makeFont(14.5, QFont::Normal, Design::rounded, true);
    EXPECT_NEAR(QFontInfo(half).pixelSize(), 14.5, 0.51);
    EXPECT_GT(QFontMetricsF(half).height(),
              QFontMetricsF(AppTypography::makeFont(14, QFont::Normal, Design::rounded, true)).height());
    EXPECT_EQ(AppTypography::designFromName(QStringLiteral("monospaced")), Design::monospaced);
    EXPECT_EQ(AppTypography::designFromName(QStringLiteral("fancy")), Design::standard);
}

TEST(AppTypographyLanguage, FollowsThePreferenceAndAnnouncesChanges)
{
    TestEnv env({QStringLiteral("zh-Hans-CN")});
    AppTypography typography;
    QSignalSpy changed(&typography, &AppTypography::usesEnglishChanged);
    LocalizationSettings::shared().setPreference(AppLanguagePreference::system);
    EXPECT_FALSE(typography.usesEnglish());
    env.setPreferredLanguages({});
    EXPECT_TRUE(typography.usesEnglish());
    LocalizationSettings::shared().setPreference(AppLanguagePreference::chinese);
    EXPECT_FALSE(typography.usesEnglish());
    LocalizationSettings::shared().setPreference(AppLanguagePreference::english);
    EXPECT_TRUE(typography.usesEnglish());
    EXPECT_EQ(changed.count(), 3);
}

TEST(SymbolCatalogueGlyphs, EveryNameDrawsExactlyOneIconOfTheFontOrAnImage)
{
    QFont font = AppTypography::makeSymbolFont(24, QFont::Normal);
    ASSERT_FALSE(SymbolCatalogue::names().isEmpty());
    for (const QString& name : SymbolCatalogue::names()) {
        SCOPED_TRACE(name.toStdString());
        const QString image = SymbolCatalogue::imageFor(name);
        if (!image.isEmpty()) {
            EXPECT_TRUE(SymbolCatalogue::glyphFor(name).isEmpty());
            const QImage drawn = SymbolSvg::render(image, 24, Qt::red);
            ASSERT_FALSE(drawn.isNull()) << image.toStdString();
            EXPECT_GT(inkCoverage(drawn), 0.05);
            continue;
        }
        const auto glyphsOf = [&font](const QString& text) {
            QTextLayout layout(text, font);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            QList<quint32> glyphs;
            for (const QGlyphRun& run : layout.glyphRuns())
                glyphs += run.glyphIndexes();
            return glyphs;
        };
        // A ligature name the font does not know is drawn letter by letter.
        const QList<quint32> ligature = glyphsOf(SymbolCatalogue::glyphFor(name));
        EXPECT_EQ(ligature.size(), 1) << SymbolCatalogue::glyphFor(name).toStdString();
        // The character the views show is that very glyph.
        EXPECT_EQ(SymbolCatalogue::characterFor(name).size(), 1);
        EXPECT_EQ(glyphsOf(SymbolCatalogue::characterFor(name)), ligature)
            << SymbolCatalogue::glyphFor(name).toStdString();
    }
    EXPECT_TRUE(SymbolCatalogue::glyphFor(QStringLiteral("no.such.symbol")).isEmpty());
    EXPECT_TRUE(SymbolCatalogue::imageFor(QStringLiteral("no.such.symbol")).isEmpty());
    EXPECT_TRUE(SymbolCatalogue::characterFor(QStringLiteral("no.such.symbol")).isEmpty());
    EXPECT_TRUE(SymbolCatalogue::characterFor(QStringLiteral("folder")).isEmpty()); // an image
}

TEST(SymbolCatalogueGlyphs, OutlinedAndFilledFormsDiffer)
{
    // The CPU card's outlined chip and the GPU card's filled one.
    const QImage outlined = SymbolSvg::render(SymbolCatalogue::imageFor(QStringLiteral("cpu")), 48, Qt::black);
    const QImage filled = SymbolSvg::render(SymbolCatalogue::imageFor(QStringLiteral("cpu.fill")), 48, Qt::black);
    ASSERT_FALSE(outlined.isNull());
    ASSERT_FALSE(filled.isNull());
    EXPECT_NE(outlined, filled);
    EXPECT_GT(inkCoverage(filled), inkCoverage(outlined) * 1.3);
    // The drawing takes the tint and keeps its shape.
    const QImage tinted = SymbolSvg::render(SymbolCatalogue::imageFor(QStringLiteral("cpu")), 48, QColor(255, 0, 0));
    EXPECT_EQ(tinted.pixelColor(24, 8).rgb(), QColor(255, 0, 0).rgb()); // on the top middle pin
    // Overview's gauge and Optimize's speedometer are not one picture.
    EXPECT_NE(SymbolCatalogue::imageFor(QStringLiteral("gauge.with.dots.needle.bottom.50percent")),
              SymbolCatalogue::imageFor(QStringLiteral("speedometer")));
}

TEST(SymbolCatalogueGlyphs, ADrawingIsSharedOnlyForTheSameImageSizeAndTint)
{
    const QString cpu = SymbolCatalogue::imageFor(QStringLiteral("cpu"));
    const QString folder = SymbolCatalogue::imageFor(QStringLiteral("folder"));
    const QImage red = SymbolSvg::render(cpu, 48, QColor(255, 0, 0));
    // Asked again, the same drawing comes back without being drawn anew.
    EXPECT_EQ(SymbolSvg::render(cpu, 48, QColor(255, 0, 0)).cacheKey(), red.cacheKey());
    struct Case {
        const char* what;
        QString source;
        int pixels;
        QColor color;
    };
    const Case others[] = {
        {"another tint", cpu, 48, QColor(0, 0, 255)},
        {"another size", cpu, 24, QColor(255, 0, 0)},
        {"another image", folder, 48, QColor(255, 0, 0)},
    };
    for (const Case& c : others) {
        SCOPED_TRACE(c.what);
        const QImage drawn = SymbolSvg::render(c.source, c.pixels, c.color);
        EXPECT_NE(drawn, red);
        EXPECT_EQ(drawn, SymbolSvg::render(c.source, c.pixels, c.color));
    }
    EXPECT_EQ(SymbolSvg::render(cpu, 48, QColor(0, 0, 255)).pixelColor(24, 8).rgb(), QColor(0, 0, 255).rgb());
}

struct NamedSymbol {
    QString name;
    QString where;
};

// The symbols the interface names: the QML as literals of these properties, the card builders in C++.
std::vector<NamedSymbol> symbolsTheInterfaceNames()
{
    std::vector<NamedSymbol> named;
    const QRegularExpression literal(QStringLiteral(R"re((?:systemImage|systemName|symbol)\s*:\s*"([a-z0-9.]+)")re"));
    QDirIterator files(QStringLiteral(ROROR_FIXTURES_DIR "/../../app"), {QStringLiteral("*.qml")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch& match : literal.globalMatch(text))
            named.push_back({match.captured(1), file.fileName()});
    }
    for (const char* name :
         {"cpu", "cpu.fill", "memorychip", "internaldrive", "externaldrive", "network", "bolt.batteryblock",
          "battery.100percent", "heart.fill", "thermometer.medium", "gauge.with.dots.needle.50percent",
          "arrow.down.to.line", "arrow.up.right", "arrow.triangle.2.circlepath", "fan", "powerplug"})
        named.push_back({QString::fromLatin1(name), QStringLiteral("a card builder")});
    return named;
}

TEST(SymbolCatalogueGlyphs, EverySymbolTheInterfaceNamesIsDrawn)
{
    ASSERT_TRUE(QDir(QStringLiteral(ROROR_FIXTURES_DIR "/../../app")).exists());
    const std::vector<NamedSymbol> named = symbolsTheInterfaceNames();
    EXPECT_GT(named.size(), 56u);
    for (const NamedSymbol& symbol : named)
        EXPECT_TRUE(SymbolCatalogue::contains(symbol.name))
            << symbol.name.toStdString() << " in " << symbol.where.toStdString();
}

TEST(SymbolCatalogueGlyphs, OnlyFillNamesDrawFilledShapes)
{
    // Glyphs of the icon font drawn solid that have no outlined twin there.
    const QStringList filledOnly = {
        QStringLiteral("account_circle"), QStringLiteral("call_to_action"),    QStringLiteral("description"),
        QStringLiteral("desktop_mac"),    QStringLiteral("folder_off"),        QStringLiteral("folder_shared"),
        QStringLiteral("image"),          QStringLiteral("insert_drive_file"), QStringLiteral("pan_tool"),
        QStringLiteral("power"),          QStringLiteral("settings_suggest"),  QStringLiteral("toys"),
        QStringLiteral("verified_user"),
    };
    for (const NamedSymbol& symbol : symbolsTheInterfaceNames()) {
        if (symbol.name.endsWith(QStringLiteral(".fill")))
            continue;
        EXPECT_FALSE(filledOnly.contains(SymbolCatalogue::glyphFor(symbol.name)))
            << symbol.name.toStdString() << " in " << symbol.where.toStdString() << " draws a filled glyph";
    }

    // Each outlined name once drawn filled, with its outlined form: the font's glyph, else the kit's image.
    struct Case {
        const char* name;
        const char* glyph;
    };
    const Case cases[] = {
        {"photo", "crop_original"},
        {"desktopcomputer", "desktop_windows"},
        {"doc", nullptr},
        {"person.crop.circle", nullptr},
        {"hand.raised", nullptr},
        {"checkmark.shield", nullptr},
        {"powerplug", nullptr},
        {"folder.badge.person.crop", nullptr},
        {"folder.badge.questionmark", nullptr},
        {"dock.rectangle", nullptr},
        {"fan", nullptr},
        {"gearshape.2", nullptr},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        SCOPED_TRACE(c.name);
        if (c.glyph)
            EXPECT_EQ(SymbolCatalogue::glyphFor(name), QString::fromLatin1(c.glyph));
        else
            EXPECT_FALSE(SymbolCatalogue::imageFor(name).isEmpty());
        EXPECT_LT(solidity(drawSymbol(name, 48)), 0.7);
    }
    // The measure tells the forms apart: the filled twins are solid.
    for (const char* name : {"cpu.fill", "checkmark.circle.fill", "xmark.circle.fill"})
        EXPECT_GT(solidity(drawSymbol(QString::fromLatin1(name), 48)), 0.85) << name;
}

TEST(SymbolCatalogueGlyphs, HoldsTheSymbolsOfTheSidebarAndTheSharedComponents)
{
    const char* used[] = {"gauge.with.dots.needle.bottom.50percent",
                          "sparkles",
                          "app.dashed",
                          "speedometer",
                          "chart.pie",
                          "shippingbox",
                          "externaldrive.badge.minus",
                          "gearshape",
                          "desktopcomputer",
                          "arrow.up.arrow.down",
                          "folder",
                          "trash",
                          "checkmark.circle",
                          "clock.arrow.circlepath",
                          "eye"};
    for (const char* name : used)
        EXPECT_TRUE(SymbolCatalogue::contains(QString::fromLatin1(name))) << name;
}

} // namespace
} // namespace roror::test
