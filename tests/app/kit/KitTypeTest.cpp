#include "app/kit/AppTypography.h"
#include "app/kit/SymbolCatalogue.h"
#include "core/model/LocalizationSettings.h"
#include "tests/support/TestEnv.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QSignalSpy>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

using Design = AppTypography::Design;

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

TEST(SymbolCatalogueGlyphs, EveryNameDrawsExactlyOneIconOfTheFont)
{
    QFont font = AppTypography::makeSymbolFont(24, QFont::Normal);
    ASSERT_FALSE(SymbolCatalogue::names().isEmpty());
    for (const QString& name : SymbolCatalogue::names()) {
        QTextLayout layout(SymbolCatalogue::glyphFor(name), font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        qsizetype glyphs = 0;
        for (const QGlyphRun& run : layout.glyphRuns())
            glyphs += run.glyphIndexes().size();
        // A ligature name the font does not know is drawn letter by letter.
        EXPECT_EQ(glyphs, 1) << name.toStdString() << " -> " << SymbolCatalogue::glyphFor(name).toStdString();
    }
    EXPECT_TRUE(SymbolCatalogue::glyphFor(QStringLiteral("no.such.symbol")).isEmpty());
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
