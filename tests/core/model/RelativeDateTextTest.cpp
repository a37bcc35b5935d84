#include "core/model/RelativeDateText.h"
#include "platform/PreferredLanguages.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace roror;

namespace {

// Local noon, so calendar steps are those of the machine's own clock.
QDateTime localNoon(int year, int month, int day)
{
    return QDateTime(QDate(year, month, day), QTime(12, 0));
}

} // namespace

TEST(RelativeDateText, LargestWholeUnitInBothLanguages)
{
    const QDateTime now = localNoon(2024, 3, 15);
    const struct {
        QDateTime date;
        const char* english;
        const char* chinese;
    } cases[] = {
        {now, "in 0 sec.", "0秒钟后"},
        {now.addSecs(-30), "30 sec. ago", "30秒钟前"},
        {now.addSecs(-59), "59 sec. ago", "59秒钟前"},
        {now.addSecs(-60), "1 min. ago", "1分钟前"},
        {now.addSecs(-3599), "59 min. ago", "59分钟前"},
        {now.addSecs(-2 * 3600), "2 hr. ago", "2小时前"},
        {now.addSecs(-86399), "23 hr. ago", "23小时前"},
        {now.addDays(-1), "1 day ago", "1天前"},
        {now.addDays(-6), "6 days ago", "6天前"},
        {now.addDays(-7), "1 wk. ago", "1周前"},
        {now.addDays(-20), "2 wk. ago", "2周前"},
        // 28 days back is not yet a calendar month from 16 February.
        {localNoon(2024, 2, 16), "4 wk. ago", "4周前"},
        {localNoon(2024, 2, 15), "1 mo. ago", "1个月前"},
        {localNoon(2023, 4, 15), "11 mo. ago", "11个月前"},
        {localNoon(2023, 3, 15), "1 yr. ago", "1年前"},
        {localNoon(2023, 2, 15), "1 yr. ago", "1年前"},
        {localNoon(2021, 3, 1), "3 yr. ago", "3年前"},
        {now.addSecs(3600), "in 1 hr.", "1小时后"},
        {now.addDays(1), "in 1 day", "1天后"},
        {now.addDays(2), "in 2 days", "2天后"},
        {now.addMonths(5), "in 5 mo.", "5个月后"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.english);
        EXPECT_EQ(RelativeDateText::shortPhrase(c.date, now, AppResolvedLanguage::english), QString::fromUtf8(c.english));
        EXPECT_EQ(RelativeDateText::shortPhrase(c.date, now, AppResolvedLanguage::chinese), QString::fromUtf8(c.chinese));
    }
}

TEST(RelativeDateText, MomentsInAnotherZoneCountAsTheSameInstant)
{
    const QDateTime now = QDateTime::fromSecsSinceEpoch(1700000000, QTimeZone::utc());
    const QDateTime twoHoursEarlierInTokyo =
        QDateTime::fromSecsSinceEpoch(1700000000 - 7200, QTimeZone("Asia/Tokyo"));
    EXPECT_EQ(RelativeDateText::shortPhrase(twoHoursEarlierInTokyo, now, AppResolvedLanguage::english),
              QStringLiteral("2 hr. ago"));
}

TEST(RelativeDateText, PhraseFollowsTheSystemLanguage)
{
    const struct {
        QStringList preferred;
        AppResolvedLanguage expected;
    } cases[] = {
        {{"zh-Hans-CN", "en-US"}, AppResolvedLanguage::chinese},
        {{"ZH-TW"}, AppResolvedLanguage::chinese},
        {{"en-US", "zh-Hans"}, AppResolvedLanguage::english},
        {{}, AppResolvedLanguage::english},
    };
    for (const auto& c : cases) {
        PreferredLanguages::setSource([c] { return c.preferred; });
        EXPECT_EQ(RelativeDateText::systemLanguage(), c.expected) << c.preferred.join(',').toStdString();
    }
    PreferredLanguages::setSource([] { return QStringList{QStringLiteral("zh-Hans")}; });
    const QDateTime now = localNoon(2024, 3, 15);
    EXPECT_EQ(RelativeDateText::shortPhrase(now.addDays(-3), now), QStringLiteral("3天前"));
    PreferredLanguages::setSource([] { return QStringList{QStringLiteral("en-US")}; });
    EXPECT_EQ(RelativeDateText::shortPhrase(now.addDays(-3), now), QStringLiteral("3 days ago"));
}
