#include "app/pages/uninstall/UninstallSort.h"
#include "app/pages/uninstall/UninstallTexts.h"
#include "tests/app/model/ModelTestSupport.h"

#include <gtest/gtest.h>

using namespace roror;

namespace {

using Entry = UninstallPreviewReport::Entry;

Entry app(const char* name, std::optional<qint64> bytes, std::optional<int> daysAgo)
{
    Entry e;
    e.name = QString::fromUtf8(name);
    e.path = QStringLiteral("/Applications/") + e.name + QStringLiteral(".app");
    e.id = e.path;
    e.appSizeBytes = bytes;
    if (daysAgo)
        e.lastOpened = test::fixedNow().addDays(-*daysAgo);
    return e;
}

QStringList names(const QList<Entry>& entries)
{
    QStringList out;
    for (const auto& e : entries)
        out.append(e.name);
    return out;
}

const QList<Entry>& sample()
{
    static const QList<Entry> entries{
        app("Zeta", 300, 2),   app("beta", std::nullopt, std::nullopt), app("Alpha", 100, 30),
        app("Gamma", 300, 10), app("Delta", 50, std::nullopt),          app("epsilon", std::nullopt, 30),
    };
    return entries;
}

} // namespace

TEST(UninstallSort, OrdersOfBothKeysInBothDirections)
{
    using K = UninstallSortKey;
    using D = UninstallSortDirection;
    const struct {
        UninstallSortState state;
        QStringList expected;
    } cases[] = {
        // Least recently opened first; equal dates by name; never-opened apps last, by name.
        {{K::lastOpened, D::ascending}, {"Alpha", "epsilon", "Gamma", "Zeta", "beta", "Delta"}},
        // The dated apps reverse; never-opened apps stay last, still A to Z.
        {{K::lastOpened, D::descending}, {"Zeta", "Gamma", "Alpha", "epsilon", "beta", "Delta"}},
        // Largest first; a missing size counts as 0, so those gather at the end by name.
        {{K::size, D::descending}, {"Gamma", "Zeta", "Alpha", "Delta", "beta", "epsilon"}},
        // Sizes reverse, ties still read A to Z.
        {{K::size, D::ascending}, {"beta", "epsilon", "Delta", "Alpha", "Gamma", "Zeta"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.join(' ').toStdString());
        EXPECT_EQ(names(sortedUninstallEntries(sample(), c.state)), c.expected);
    }
}

TEST(UninstallSort, NamesDifferingOnlyInCaseKeepTheReportOrder)
{
    const QList<Entry> entries{app("safari", 10, std::nullopt), app("Safari", 10, std::nullopt),
                               app("SAFARI", 10, std::nullopt)};
    for (const UninstallSortState state :
         {UninstallSortState{}, UninstallSortState{}.toggledSize(), UninstallSortState{}.toggledSize().toggledSize()}) {
        EXPECT_EQ(names(sortedUninstallEntries(entries, state)), names(entries));
    }
    EXPECT_FALSE(uninstallNameOrdersFirst(QStringLiteral("safari"), QStringLiteral("Safari")));
    EXPECT_FALSE(uninstallNameOrdersFirst(QStringLiteral("Safari"), QStringLiteral("safari")));
}

TEST(UninstallSort, ColumnTogglesFollowTheTable)
{
    using K = UninstallSortKey;
    using D = UninstallSortDirection;
    const UninstallSortState first{};
    EXPECT_EQ(first, (UninstallSortState{K::lastOpened, D::ascending}));
    EXPECT_EQ(first.toggledLastOpened(), (UninstallSortState{K::lastOpened, D::descending}));
    EXPECT_EQ(first.toggledSize(), (UninstallSortState{K::size, D::descending}));
    EXPECT_EQ(first.toggledSize().toggledSize(), (UninstallSortState{K::size, D::ascending}));
    EXPECT_EQ((UninstallSortState{K::size, D::ascending}).toggledLastOpened(), first);
    EXPECT_EQ((UninstallSortState{K::lastOpened, D::descending}).toggledLastOpened(), first);
    EXPECT_EQ((UninstallSortState{K::lastOpened, D::descending}).toggledSize(),
              (UninstallSortState{K::size, D::descending}));
}

TEST(UninstallTexts, LastUninstallLine)
{
    const auto en = AppResolvedLanguage::english;
    const auto zh = AppResolvedLanguage::chinese;
    const QDateTime now = test::fixedNow();
    const double twoHoursAgo = double(now.toSecsSinceEpoch() - 7200);
    EXPECT_FALSE(UninstallTexts::lastUninstallText(0, 3, now, en, en));
    EXPECT_FALSE(UninstallTexts::lastUninstallText(-5, 3, now, en, en));
    EXPECT_FALSE(UninstallTexts::lastUninstallText(std::nan(""), 3, now, en, en));
    EXPECT_EQ(UninstallTexts::lastUninstallText(twoHoursAgo, 1, now, en, en),
              QStringLiteral("Last uninstall 2 hr. ago · 1 apps"));
    EXPECT_EQ(UninstallTexts::lastUninstallText(twoHoursAgo, 4, now, zh, zh),
              QStringLiteral("上次卸载 2小时前 · 处理 4 个应用"));
    // The relative phrase keeps the system's language whatever the interface shows.
    EXPECT_EQ(UninstallTexts::lastUninstallText(twoHoursAgo, 2, now, en, zh),
              QStringLiteral("Last uninstall 2小时前 · 2 apps"));
}

TEST(UninstallTexts, CellsSummaryAndCount)
{
    const auto en = AppResolvedLanguage::english;
    const auto zh = AppResolvedLanguage::chinese;
    const QDateTime now = test::fixedNow();
    EXPECT_EQ(UninstallTexts::lastOpenedText(std::nullopt, now, en, zh), QStringLiteral("Never"));
    EXPECT_EQ(UninstallTexts::lastOpenedText(std::nullopt, now, zh, en), QStringLiteral("从未"));
    EXPECT_EQ(UninstallTexts::lastOpenedText(now.addDays(-3), now, zh, en), QStringLiteral("3 days ago"));
    EXPECT_EQ(UninstallTexts::summaryText(0, en), QStringLiteral("No apps were found to list."));
    EXPECT_EQ(UninstallTexts::summaryText(0, zh), QStringLiteral("没有找到可列出的应用。"));
    EXPECT_EQ(UninstallTexts::summaryText(12, en),
              QStringLiteral("12 app items. You will confirm again before uninstalling."));
    EXPECT_EQ(UninstallTexts::summaryText(1, zh), QStringLiteral("1 个应用项目，正式卸载前仍会再次确认。"));
    EXPECT_EQ(UninstallTexts::selectionCountText(0, en), QStringLiteral("0 selected"));
    EXPECT_EQ(UninstallTexts::selectionCountText(3, zh), QStringLiteral("已选 3 个"));
}

TEST(UninstallTexts, ConfirmationNamesWhatItConfirms)
{
    const QString fixedEn = QStringLiteral("The selected apps will be uninstalled and related leftovers will be "
                                           "handled. This dialog is the final confirmation.");
    const QString fixedZh
        = QStringLiteral("会按你选中的应用执行卸载，并继续处理相关残留。正式处理前的确认已经在这里完成。");
    const struct {
        QStringList names;
        AppResolvedLanguage language;
        QString expected;
    } cases[] = {
        {{}, AppResolvedLanguage::english, fixedEn},
        {{"Notes"}, AppResolvedLanguage::english, fixedEn + "\n\n1 app: Notes."},
        {{"A", "B", "C"}, AppResolvedLanguage::english, fixedEn + "\n\n3 apps: A, B, C."},
        {{"A", "B", "C", "D", "E"}, AppResolvedLanguage::english, fixedEn + "\n\n5 apps: A, B, C, D, E."},
        {{"A", "B", "C", "D", "E", "F", "G"},
         AppResolvedLanguage::english,
         fixedEn + "\n\n7 apps: A, B, C, D, E and 2 more."},
        {{"甲", "乙"}, AppResolvedLanguage::chinese, fixedZh + QStringLiteral("\n\n共 2 个应用：甲、乙。")},
        {{"A", "B", "C", "D", "E", "F"},
         AppResolvedLanguage::chinese,
         fixedZh + QStringLiteral("\n\n共 6 个应用：A、B、C、D、E 以及另外 1 个。")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UninstallTexts::confirmationMessage(c.names, c.language), c.expected);
}
