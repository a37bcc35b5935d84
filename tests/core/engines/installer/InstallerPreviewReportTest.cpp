#include "core/engines/installer/InstallerPreviewReport.h"
#include "core/support/ByteCountFormat.h"
#include "tests/core/engines/QtPrinters.h"

#include <gtest/gtest.h>

using namespace roror;

namespace {

InstallerPreviewReport::Entry entry(const QString& name, qint64 bytes,
                                    const QString& source = QStringLiteral("Downloads"))
{
    return {QUuid::createUuid(), name, QStringLiteral("/x/") + name, source, bytes};
}

QStringList names(const InstallerPreviewReport& report)
{
    QStringList result;
    for (const auto& e : report.entries())
        result.append(e.name);
    return result;
}

} // namespace

TEST(InstallerPreviewReport, OrdersLargestFirstThenNamesWithNumbersByValue)
{
    const QDateTime now = QDateTime::currentDateTime();
    const InstallerPreviewReport report({entry("Setup10.dmg", 5), entry("b.pkg", 1), entry("Setup2.dmg", 5),
                                         entry("zzz.iso", 900), entry("setup1.dmg", 5)},
                                        now);
    EXPECT_EQ(names(report), (QStringList{"zzz.iso", "setup1.dmg", "Setup2.dmg", "Setup10.dmg", "b.pkg"}));
    EXPECT_EQ(report.generatedAt(), now);
    EXPECT_EQ(report.totalBytes(), 916);
}

TEST(InstallerPreviewReport, EqualKeysKeepTheGivenOrder)
{
    auto first = entry("Setup.dmg", 7, QStringLiteral("Downloads"));
    auto second = entry("SETUP.dmg", 7, QStringLiteral("Desktop"));
    const InstallerPreviewReport forward({first, second}, QDateTime::currentDateTime());
    EXPECT_EQ(forward.entries().at(0).source, QStringLiteral("Downloads"));
    const InstallerPreviewReport backward({second, first}, QDateTime::currentDateTime());
    EXPECT_EQ(backward.entries().at(0).source, QStringLiteral("Desktop"));
}

TEST(InstallerPreviewReport, RebuiltSubsetIsSortedAgainAndEmptyIsZero)
{
    const InstallerPreviewReport full({entry("a.dmg", 3), entry("b.dmg", 9), entry("c.dmg", 5)},
                                      QDateTime::currentDateTime());
    QList<InstallerPreviewReport::Entry> rest = {full.entries().at(2), full.entries().at(1)};
    const InstallerPreviewReport subset(rest, QDateTime::currentDateTime());
    EXPECT_EQ(names(subset), (QStringList{"c.dmg", "a.dmg"}));

    const InstallerPreviewReport empty({}, QDateTime::currentDateTime());
    EXPECT_EQ(empty.totalBytes(), 0);
    EXPECT_EQ(empty.totalSizeText(), formatByteCount(0));
}

TEST(InstallerPreviewReport, EqualityComparesEveryField)
{
    const QDateTime now = QDateTime::currentDateTime();
    const auto e = entry("a.dmg", 3);
    EXPECT_EQ(InstallerPreviewReport({e}, now), InstallerPreviewReport({e}, now));
    auto renamed = e;
    renamed.id = QUuid::createUuid();
    EXPECT_NE(InstallerPreviewReport({e}, now), InstallerPreviewReport({renamed}, now));
    EXPECT_NE(InstallerPreviewReport({e}, now), InstallerPreviewReport({e}, now.addSecs(1)));
    EXPECT_EQ(e.sizeText(), formatByteCount(3));
}
