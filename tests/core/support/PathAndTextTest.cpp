#include "core/support/ByteCountFormat.h"
#include "core/support/NaturalCompare.h"
#include "core/support/StandardPath.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace roror;

TEST(StandardPath, ResolvesDotsAndTrailingSlashWithoutTouchingDisk)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"/Users/ann/", "/Users/ann"},
        {"/Users/ann/./Downloads/file", "/Users/ann/Downloads/file"},
        {"/Users/ann/../bob/file", "/Users/bob/file"},
        {"/../..", "/"},
        {"/", "/"},
        {"//a//b///", "/a/b"},
        {"/a/b/..", "/a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(standardizedPath(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
    EXPECT_EQ(standardizedPath(QStringLiteral("rel/x")), QDir::currentPath() + QStringLiteral("/rel/x"));
}

TEST(StandardPath, InsideMeansEqualOrBelowWithASlash)
{
    EXPECT_TRUE(isPathInside(QStringLiteral("/Users/ann"), QStringLiteral("/Users/ann")));
    EXPECT_TRUE(isPathInside(QStringLiteral("/Users/ann/x"), QStringLiteral("/Users/ann")));
    EXPECT_FALSE(isPathInside(QStringLiteral("/Users/anna/x"), QStringLiteral("/Users/ann")));
    EXPECT_FALSE(isPathInside(QStringLiteral("/Users"), QStringLiteral("/Users/ann")));
    EXPECT_TRUE(isPathInside(QStringLiteral("/x"), QStringLiteral("/")));
    EXPECT_EQ(pathExtension(QStringLiteral("/a/B.APP/")), QStringLiteral("APP"));
    EXPECT_EQ(pathExtension(QStringLiteral("/a/.hidden")), QString());
    EXPECT_EQ(lastPathComponent(QStringLiteral("/a/b/")), QStringLiteral("b"));
}

TEST(ByteCountFormat, DecimalUnitsFromKilobytesUp)
{
    const struct {
        qint64 bytes;
        const char* text;
    } cases[] = {
        {0, "0 KB"},
        {1, "1 KB"},
        {999, "1 KB"},
        {1000, "1 KB"},
        {12345, "12 KB"},
        {999499, "999 KB"},
        {999500, "1 MB"},
        {1234567, "1.2 MB"},
        {1000000, "1 MB"},
        {123456789, "123.5 MB"},
        {1234567890, "1.23 GB"},
        {2500000000LL, "2.5 GB"},
        {1234567890123LL, "1.23 TB"},
        {5000000000000000LL, "5000 TB"},
        {-2000, "-2 KB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatByteCount(c.bytes), QString::fromUtf8(c.text)) << c.bytes;
}

TEST(NaturalCompare, DigitRunsByValueAndCaseIgnored)
{
    const struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"Setup2", "Setup10", -1}, {"setup10", "Setup2", 1}, {"Alpha", "alpha", 0}, {"a", "B", -1},
        {"file007", "file7", 0},   {"x9y", "x10a", -1},      {"abc", "abcd", -1},   {"", "a", -1},
    };
    for (const auto& c : cases) {
        const int r = localizedStandardCompare(QString::fromUtf8(c.a), QString::fromUtf8(c.b));
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
    }
}
