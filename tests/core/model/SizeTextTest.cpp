#include "core/model/SizeText.h"
#include "tests/support/TestEnv.h"

#include <limits>
#include <gtest/gtest.h>

using namespace roror;
using roror::test::TestEnv;

TEST(SizeText, BytesAreDecimalKilobytesToTerabytes)
{
    TestEnv env;
    const struct {
        qint64 bytes;
        const char* text;
    } cases[] = {
        {0, "0 KB"},
        {1, "1 KB"},
        {999, "1 KB"},
        {1000, "1 KB"},
        {1500, "2 KB"},
        {999'000, "999 KB"},
        {1'000'000, "1 MB"},
        {1'234'567, "1.2 MB"},
        {1'000'000'000, "1 GB"},
        {1'234'567'890, "1.23 GB"},
        {1'000'000'000'000, "1 TB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SizeText::bytes(c.bytes), QString::fromUtf8(c.text)) << c.bytes;
}

TEST(SizeText, PercentKeepsTheValueAndShowsOneDecimal)
{
    TestEnv env;
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {12.34, "12.3%"},  {0.0, "0.0%"},
        {45.678, "45.7%"}, {100.0, "100.0%"},
        {250.0, "250.0%"}, {-3.25, "-3.2%"},
        {0.25, "0.2%"},    {0.35, "0.3%"},
        {0.05, "0.1%"},    {std::numeric_limits<double>::infinity(), "inf%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SizeText::percent(c.value), QString::fromUtf8(c.text)) << c.value;
}

TEST(SizeText, MissingValuesAreUnknownInTheCurrentLanguage)
{
    TestEnv env({QStringLiteral("en-US")});
    EXPECT_EQ(SizeText::bytes(std::nullopt), QStringLiteral("Unknown"));
    EXPECT_EQ(SizeText::percent(std::nullopt), QStringLiteral("Unknown"));
    env.setLanguagePreference(QStringLiteral("chinese"));
    EXPECT_EQ(SizeText::bytes(std::nullopt), QStringLiteral("未知"));
    EXPECT_EQ(SizeText::percent(std::nullopt), QStringLiteral("未知"));
    // A present value does not depend on the language.
    EXPECT_EQ(SizeText::bytes(1'000'000), QStringLiteral("1 MB"));
    env.setLanguagePreference(QStringLiteral("system"));
    env.setPreferredLanguages({QStringLiteral("zh-Hans")});
    EXPECT_EQ(SizeText::bytes(std::nullopt), QStringLiteral("未知"));
}
