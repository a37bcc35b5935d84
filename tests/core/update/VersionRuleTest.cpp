#include "core/update/RororUpdateInfo.h"
#include "core/update/UpdateError.h"
#include "core/update/UpdateVersionComparator.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>
#include <optional>

using namespace roror;

namespace {

std::optional<QString> text(const char* value)
{
    return value ? std::optional<QString>(QString::fromUtf8(value)) : std::nullopt;
}

struct RuleCase {
    const char* current;
    const char* currentBuild; // nullptr = absent
    const char* latest;
    const char* latestBuild;
    bool available;
};

TEST(UpdateVersionRule, DecidesByVersionThenBuild)
{
    const RuleCase cases[] = {
        {"1.9", nullptr, "1.10", nullptr, true}, // numeric, not textual
        {"10.0", nullptr, "2.0", nullptr, false},
        {"1.1", nullptr, "1.2", nullptr, true},
        {"1.2", nullptr, "1.1", "99", false}, // an older version never wins on its build
        {"1.2.0", "5", "1.2", "6", true},     // versions tie, the build decides
        {"1.2.0", "5", "1.2", "5", false},
        {"1.2", "6", "1.2", "5", false},
        {"1.2", "5", "1.2", nullptr, false},
        {"1.2", "5", "1.2", "", false},
        {"1.2", "5", "1.2", "abc", false},
        {"1.2", "5", "1.2", "5a", false},
        {"1.2", nullptr, "1.2", "7", false}, // no current build: not newer
        {"1.2", "  4 ", "1.2", "5\n", true}, // builds are trimmed
        {"1.2", "-3", "1.2", "+7", true},
        {"1.2", "4", "1.2", "9223372036854775808", false}, // overflow is no number
        {"2.0", "1", "2.0-beta", "2", true},               // 2.0-beta equals 2.0
        {"2.0", "3", "2.0-beta", "2", false},
        {"1.0", nullptr, "1.99999999999999999999", nullptr, false}, // a 20-digit piece counts as 0
        {"0.4", nullptr, "rc1.5", nullptr, true},                   // rc1 counts as 0, then 5 > 4
        {"1.3", "1", "1..3", "2", true},                            // empty pieces are dropped
        {"", "1", "0.0", "2", true},                                // an empty text equals 0
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(
            QStringLiteral("current %1 (%2) latest %3 (%4)")
                .arg(c.current, c.currentBuild ? c.currentBuild : "-", c.latest, c.latestBuild ? c.latestBuild : "-")
                .toStdString());
        EXPECT_EQ(UpdateVersionComparator::isUpdateAvailable(QString::fromUtf8(c.current), text(c.currentBuild),
                                                             QString::fromUtf8(c.latest), text(c.latestBuild)),
                  c.available);
    }
}

TEST(UpdateVersionRule, ComparesPartByPart)
{
    struct Case {
        const char* lhs;
        const char* rhs;
        int expected;
    };
    const Case cases[] = {
        {"1.2", "1.2.0", 0},
        {"1.2", "1.2.0.0", 0},
        {"", "0", 0},
        {"1.10rc2", "1.10", 0},
        {"1.10rc2", "1.9", 1},
        {"1.2.3", "1.2.4", -1},
        {"+1", "0", 0},         // a sign is never part of the number
        {"\u0661.5", "0.5", 0}, // a non-ASCII digit counts as 0
        {"1\u00bd", "0", 0},    // so does a vulgar fraction after a digit
        {"9223372036854775807", "9223372036854775806", 1},
        {"9223372036854775808", "0", 0}, // overflow counts as 0
        {".1.", "1", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lhs) + " vs " + c.rhs);
        EXPECT_EQ(UpdateVersionComparator::compareVersionStrings(QString::fromUtf8(c.lhs), QString::fromUtf8(c.rhs)),
                  c.expected);
        EXPECT_EQ(UpdateVersionComparator::compareVersionStrings(QString::fromUtf8(c.rhs), QString::fromUtf8(c.lhs)),
                  -c.expected);
    }
}

TEST(RororUpdateInfoDecoding, ReadsEveryFieldAndIgnoresUnknownKeys)
{
    const RororUpdateInfo info = RororUpdateInfo::decode(QByteArray(R"({
        "version": "2.1.0", "build": "42",
        "download_url": "https://updates.example.org/Roror-2.1.0.tar.gz",
        "release_notes_url": "https://updates.example.org/notes",
        "release_notes": "Faster scans.", "channel": "stable", "size": 12
    })"));
    const RororUpdateInfo expected{QStringLiteral("2.1.0"), QStringLiteral("42"),
                                   QUrl(QStringLiteral("https://updates.example.org/Roror-2.1.0.tar.gz")),
                                   QUrl(QStringLiteral("https://updates.example.org/notes")),
                                   QStringLiteral("Faster scans.")};
    EXPECT_EQ(info, expected);

    const RororUpdateInfo minimal = RororUpdateInfo::decode(QByteArray(R"({"version": "1.0", "build": null})"));
    EXPECT_EQ(minimal,
              (RororUpdateInfo{QStringLiteral("1.0"), std::nullopt, std::nullopt, std::nullopt, std::nullopt}));
    EXPECT_NE(minimal, expected);
    RororUpdateInfo otherNotes = expected;
    otherNotes.releaseNotes = QStringLiteral("Other notes.");
    EXPECT_NE(otherNotes, expected);
}

TEST(RororUpdateInfoDecoding, FailsAtTheFirstBadKey)
{
    using Kind = UpdateDecodingError::Kind;
    struct Case {
        const char* json;
        Kind kind;
        const char* key;
    };
    const Case cases[] = {
        {"not json at all", Kind::dataCorrupted, ""},
        {"[1, 2]", Kind::typeMismatch, ""},
        {R"({"build": "1"})", Kind::keyNotFound, "version"},
        {R"({"Version": "1.0"})", Kind::keyNotFound, "version"}, // keys match case-sensitively
        {R"({"version": null})", Kind::valueNotFound, "version"},
        {R"({"version": 2})", Kind::typeMismatch, "version"},
        {R"({"version": "1.0", "build": 42})", Kind::typeMismatch, "build"},
        {R"({"version": "1.0", "download_url": 7})", Kind::typeMismatch, "download_url"},
        {R"({"version": "1.0", "download_url": "https://exa mple.org/x"})", Kind::dataCorrupted, "download_url"},
        {R"({"version": "1.0", "release_notes_url": ""})", Kind::dataCorrupted, "release_notes_url"},
        {R"({"version": "1.0", "release_notes": ["a"]})", Kind::typeMismatch, "release_notes"},
        {R"({"version": "1.0", "build": 1, "download_url": 2})", Kind::typeMismatch, "build"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        try {
            RororUpdateInfo::decode(QByteArray(c.json));
            ADD_FAILURE() << "decoded";
        } catch (const UpdateDecodingError& error) {
            EXPECT_EQ(error, UpdateDecodingError(c.kind, QString::fromUtf8(c.key)));
            EXPECT_FALSE(error.errorDescription().isEmpty());
        }
    }
}

TEST(RororUpdateInfoDecoding, DecodingMessagesFollowTheLanguage)
{
    test::TestEnv env;
    const UpdateDecodingError error(UpdateDecodingError::Kind::keyNotFound, QStringLiteral("version"));
    EXPECT_EQ(error.errorDescription(), QStringLiteral("The update information has no \"version\"."));
    env.setLanguagePreference(QStringLiteral("chinese"));
    EXPECT_EQ(error.errorDescription(), QStringLiteral("更新信息缺少 \"version\"。"));
}

TEST(RororUpdateInfo, DisplayVersionAndInstallableAddress)
{
    const QUrl image(QStringLiteral("https://updates.example.org/Roror.tar.gz"));
    EXPECT_EQ((RororUpdateInfo{QStringLiteral(" 1.2 ")}.displayVersion()), QStringLiteral("v 1.2 ")); // as stored

    RororUpdateInfo info{QStringLiteral("1.2"), QStringLiteral("8"), image, std::nullopt, std::nullopt};

    EXPECT_EQ(info.installableDownloadURL(QStringLiteral("1.1"), std::nullopt), image);
    EXPECT_EQ(info.installableDownloadURL(QStringLiteral("1.2"), QStringLiteral("7")), image);
    EXPECT_EQ(info.installableDownloadURL(QStringLiteral("1.2"), QStringLiteral("8")), std::nullopt);
    EXPECT_EQ(info.installableDownloadURL(QStringLiteral("1.3"), std::nullopt), std::nullopt);

    // Newer but without an address: offered, yet nothing to install.
    info.downloadURL.reset();
    EXPECT_TRUE(
        UpdateVersionComparator::isUpdateAvailable(QStringLiteral("1.1"), std::nullopt, info.version, info.build));
    EXPECT_EQ(info.installableDownloadURL(QStringLiteral("1.1"), std::nullopt), std::nullopt);
}

} // namespace
