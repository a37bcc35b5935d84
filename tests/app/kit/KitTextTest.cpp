#include "app/kit/KitText.h"
#include "app/kit/RelativeDateText.h"
#include "tests/support/TestEnv.h"

#include <QTimeZone>
#include <cmath>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

const AppResolvedLanguage en = AppResolvedLanguage::english;
const AppResolvedLanguage zh = AppResolvedLanguage::chinese;

QDateTime at(const char* iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

TEST(RelativeDates, ShortPhraseTakesTheLargestWholeCalendarUnit)
{
    const QDateTime now = at("2024-03-31T12:00:00Z");
    struct Case {
        const char* date;
        const char* english;
        const char16_t* chinese;
    };
    const Case cases[] = {
        {"2024-03-31T12:00:00Z", "in 0 sec.", u"0秒后"},     {"2024-03-31T11:59:15Z", "45 sec. ago", u"45秒前"},
        {"2024-03-31T11:59:00Z", "1 min. ago", u"1分钟前"},  {"2024-03-31T10:01:00Z", "1 hr. ago", u"1小时前"},
        {"2024-03-30T12:00:01Z", "23 hr. ago", u"23小时前"}, {"2024-03-30T12:00:00Z", "1 day ago", u"1天前"},
        {"2024-03-25T12:00:00Z", "6 days ago", u"6天前"},    {"2024-03-24T12:00:00Z", "1 wk. ago", u"1周前"},
        {"2024-03-02T12:00:00Z", "4 wk. ago", u"4周前"},     {"2024-02-29T12:00:00Z", "1 mo. ago", u"1个月前"},
        {"2023-04-01T12:00:00Z", "11 mo. ago", u"11个月前"}, {"2023-03-31T12:00:00Z", "1 yr. ago", u"1年前"},
        {"2021-01-01T00:00:00Z", "3 yr. ago", u"3年前"},     {"2024-03-31T14:30:00Z", "in 2 hr.", u"2小时后"},
        {"2024-04-03T12:00:00Z", "in 3 days", u"3天后"},     {"2024-04-01T12:00:00Z", "in 1 day", u"1天后"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RelativeDateText::shortPhrase(at(c.date), now, en), QString::fromLatin1(c.english)) << c.date;
        EXPECT_EQ(RelativeDateText::shortPhrase(at(c.date), now, zh), QString::fromUtf16(c.chinese)) << c.date;
    }
}

TEST(RelativeDates, SystemLanguageIsTheFirstPreferredLanguage)
{
    TestEnv env({QStringLiteral("zh-Hans-CN"), QStringLiteral("en-US")});
    EXPECT_EQ(RelativeDateText::systemLanguage(), zh);
    env.setPreferredLanguages({QStringLiteral("en-GB"), QStringLiteral("zh-CN")});
    EXPECT_EQ(RelativeDateText::systemLanguage(), en);
}

TEST(PageLastRunLines, NoLineWithoutAPositiveStoredDate)
{
    const QDateTime now = at("2024-03-31T12:00:00Z");
    for (double stored : {0.0, -5.0, std::nan(""), double(INFINITY)})
        EXPECT_EQ(PageLines::lastRunLine(PageLines::LastRun::clean, stored, 3, now, en, en), std::nullopt) << stored;
}

TEST(PageLastRunLines, LineInTheInterfaceLanguageAroundThePhraseInTheSystemLanguage)
{
    const QDateTime now = at("2024-03-31T12:00:00Z");
    const double threeDaysAgo = double(now.addDays(-3).toSecsSinceEpoch());
    using PageLines::LastRun;
    struct Case {
        LastRun kind;
        qint64 count;
        AppResolvedLanguage line;
        AppResolvedLanguage phrase;
        const char16_t* expected;
    };
    const Case cases[] = {
        {LastRun::clean, 42, en, en, u"Last cleaned 3 days ago · 42 items"},
        {LastRun::clean, 1, en, en, u"Last cleaned 3 days ago · 1 items"},
        {LastRun::clean, 0, zh, zh, u"上次清理 3天前 · 处理 0 项"},
        {LastRun::optimize, 7, en, en, u"Last optimized 3 days ago · 7 items"},
        {LastRun::optimize, 7, zh, zh, u"上次优化 3天前 · 执行 7 项"},
        // The application in English on a system set to Chinese.
        {LastRun::clean, 5, en, zh, u"Last cleaned 3天前 · 5 items"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PageLines::lastRunLine(c.kind, threeDaysAgo, c.count, now, c.line, c.phrase),
                  QString::fromUtf16(c.expected));
}

TEST(PageLastRunLines, SelectionCountAlwaysShowsTheNumber)
{
    EXPECT_EQ(PageLines::selectedCount(0, en), QStringLiteral("0 selected"));
    EXPECT_EQ(PageLines::selectedCount(0, zh), QStringLiteral("已选中 0 个"));
    EXPECT_EQ(PageLines::selectedCount(12, en), QStringLiteral("12 selected"));
}

} // namespace
} // namespace roror::test
