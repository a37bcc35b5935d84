#include "app/kit/RelativeDateText.h"
#include "platform/PreferredLanguages.h"

#include <gtest/gtest.h>

using namespace roror;

namespace {

// Seen from the 15th of March at noon, local time.
QDateTime noon()
{
    return QDateTime(QDate(2024, 3, 15), QTime(12, 0));
}

TEST(RelativeDateText, TheLargestWholeCalendarUnitInBothLanguages)
{
    const QDateTime now = noon();
    const struct {
        QDateTime date;
        const char* english;
        const char* chinese;
    } cases[] = {
        {now, "in 0 sec.", "0秒后"},
        {now.addSecs(-30), "30 sec. ago", "30秒前"},
        {now.addSecs(-59), "59 sec. ago", "59秒前"},
        {now.addSecs(-60), "1 min. ago", "1分钟前"},
        {now.addSecs(-5 * 60 - 20), "5 min. ago", "5分钟前"},
        {now.addSecs(-90 * 60), "1 hr. ago", "1小时前"},
        {now.addSecs(-(23 * 3600 + 59 * 60)), "23 hr. ago", "23小时前"},
        {now.addDays(-1), "1 day ago", "1天前"},
        {now.addDays(-3), "3 days ago", "3天前"},
        {now.addDays(-7), "1 wk. ago", "1周前"},
        {now.addDays(-20), "2 wk. ago", "2周前"},
        {now.addMonths(-1), "1 mo. ago", "1个月前"},
        // One month and some days is still one month.
        {QDateTime(QDate(2024, 1, 16), QTime(12, 0)), "1 mo. ago", "1个月前"},
        // A day short of a year is eleven months.
        {QDateTime(QDate(2023, 3, 16), QTime(12, 0)), "11 mo. ago", "11个月前"},
        {now.addYears(-1), "1 yr. ago", "1年前"},
        {now.addYears(-3).addDays(-40), "3 yr. ago", "3年前"},
        {now.addSecs(3 * 3600), "in 3 hr.", "3小时后"},
        {now.addDays(1), "in 1 day", "1天后"},
        {now.addDays(2), "in 2 days", "2天后"},
        {now.addMonths(2), "in 2 mo.", "2个月后"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RelativeDateText::shortText(c.date, now, AppResolvedLanguage::english), QString::fromUtf8(c.english))
            << c.date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(RelativeDateText::shortText(c.date, now, AppResolvedLanguage::chinese), QString::fromUtf8(c.chinese))
            << c.date.toString(Qt::ISODate).toStdString();
    }
}

TEST(RelativeDateText, MomentsInOtherTimeZonesAreMeasuredAsTheSameInstants)
{
    const QDateTime now = noon();
    const QDateTime utc = now.addSecs(-120).toUTC();
    EXPECT_EQ(RelativeDateText::shortText(utc, now, AppResolvedLanguage::english), QStringLiteral("2 min. ago"));
}

TEST(RelativeDateText, TheSystemLanguageFollowsTheFirstPreferredLanguageOnly)
{
    const struct {
        QStringList languages;
        AppResolvedLanguage expected;
    } cases[] = {
        {{QStringLiteral("zh-Hans-CN")}, AppResolvedLanguage::chinese},
        {{QStringLiteral("ZH-tw"), QStringLiteral("en")}, AppResolvedLanguage::chinese},
        {{QStringLiteral("en-GB"), QStringLiteral("zh-Hans")}, AppResolvedLanguage::english},
        {{}, AppResolvedLanguage::english},
    };
    for (const auto& c : cases) {
        PreferredLanguages::setSource([languages = c.languages] { return languages; });
        EXPECT_EQ(RelativeDateText::systemLanguage(), c.expected) << c.languages.join(',').toStdString();
    }
    PreferredLanguages::setSource([] { return QStringList{QStringLiteral("zh-CN")}; });
    EXPECT_EQ(RelativeDateText::shortText(noon().addDays(-2), noon()), QStringLiteral("2天前"));
    PreferredLanguages::setSource([] { return QStringList{QStringLiteral("en-US")}; });
}

} // namespace
