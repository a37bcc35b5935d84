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
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTextLayout>
#include <gtest/gtest.h>

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
        QTextLayout layout(SymbolCatalogue::glyphFor(name), font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        qsizetype glyphs = 0;
        for (const QGlyphRun& run : layout.glyphRuns())
            glyphs += run.glyphIndexes().size();
        // A ligature name the font does not know is drawn letter by letter.
        EXPECT_EQ(glyphs, 1) << SymbolCatalogue::glyphFor(name).toStdString();
    }
    EXPECT_TRUE(SymbolCatalogue::glyphFor(QStringLiteral("no.such.symbol")).isEmpty());
    EXPECT_TRUE(SymbolCatalogue::imageFor(QStringLiteral("no.such.symbol")).isEmpty());
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

TEST(SymbolCatalogueGlyphs, EverySymbolTheInterfaceNamesIsDrawn)
{
    // The QML names its symbols as literals of these properties.
    const QRegularExpression named(QStringLiteral(R"re((?:systemImage|systemName|symbol)\s*:\s*"([a-z0-9.]+)")re"));
    const QDir app(QStringLiteral(ROROR_FIXTURES_DIR "/../../app"));
    ASSERT_TRUE(app.exists());
    QStringList seen;
    QDirIterator files(app.path(), {QStringLiteral("*.qml")}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch& match : named.globalMatch(text)) {
            seen.append(match.captured(1));
            EXPECT_TRUE(SymbolCatalogue::contains(match.captured(1)))
                << match.captured(1).toStdString() << " in " << file.fileName().toStdString();
        }
    }
    EXPECT_GT(seen.size(), 40);
    // And the card builders name theirs in C++.
    for (const char* name :
         {"cpu", "cpu.fill", "memorychip", "internaldrive", "externaldrive", "network", "bolt.batteryblock",
          "battery.100percent", "heart.fill", "thermometer.medium", "gauge.with.dots.needle.50percent",
          "arrow.down.to.line", "arrow.up.right", "arrow.triangle.2.circlepath"})
        EXPECT_TRUE(SymbolCatalogue::contains(QString::fromLatin1(name))) << name;
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
