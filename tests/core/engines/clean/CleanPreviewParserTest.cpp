#include "core/engines/clean/CleanFileError.h"
#include "core/engines/clean/CleanPreviewParser.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

using namespace roror;
using roror::test::TestEnv;
using Status = CleanPreviewEntryStatus;

namespace {

struct Row {
    QString section;
    QString path;
    std::optional<QString> note;
    Status status;

    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Row& row)
{
    return os << "{" << row.section.toStdString() << " | " << row.path.toStdString() << " | "
              << (row.note ? row.note->toStdString() : "<none>") << " | " << toRaw(row.status).toStdString() << "}";
}

QList<Row> rows(const CleanPreviewReport& report)
{
    QList<Row> result;
    for (const auto& e : report.entries)
        result.append({e.section, e.path, e.note, e.status});
    return result;
}

const QString kList = QStringLiteral("可清理项目");

} // namespace

TEST(CleanPreviewParser, PlainListLinesNotesAndHeadings)
{
    TestEnv env;
    const QString text = QStringLiteral("# a comment\n"
                                        "/Users/u/Library/Caches/a  # 12 MB\n"
                                        "~/Library/Logs\n"
                                        "relative/path  # dropped\n"
                                        "/only/separator  # \n"
                                        "=== ===\n"
                                        "/still/first  # one  # two\n"
                                        "=== Developer ===\n"
                                        "   /padded/path   \r\n"
                                        "\n"
                                        "/with/#hash # single-space separator is part of the path\n");
    const CleanPreviewReport report = CleanPreviewParser::parse(text);
    const QList<Row> expected = {
        {kList, "/Users/u/Library/Caches/a", QStringLiteral("12 MB"), Status::cleanable},
        {kList, "~/Library/Logs", std::nullopt, Status::cleanable},
        // The line is trimmed first, so the separator's last space goes with it: no note.
        {kList, "/only/separator  #", std::nullopt, Status::cleanable},
        {kList, "/still/first", QStringLiteral("one  # two"), Status::cleanable},
        {"Developer", "/padded/path", std::nullopt, Status::cleanable},
        {"Developer", "/with/#hash # single-space separator is part of the path", std::nullopt, Status::cleanable},
    };
    EXPECT_EQ(rows(report), expected);
    EXPECT_FALSE(report.summary.has_value());
    QSet<QUuid> ids;
    for (const auto& e : report.entries)
        ids.insert(e.id);
    EXPECT_EQ(ids.size(), report.entries.size()) << "every entry gets its own id";
}

TEST(CleanPreviewParser, TerminalOutputSectionsSymbolsAndSummary)
{
    TestEnv env;
    const QString esc = QStringLiteral("\x1B");
    const QString text = QStringLiteral("====================\n"
                                        "Clean Your Mac\n"
                                        "• loose line before any section\n"
                                        "➤ System caches\n"
                                        "%1[0;32m→%1[0m /Users/u/Library/Caches/x  12 MB\n"
                                        "✓ done thing\n"
                                        "◎ skipped thing\n"
                                        "☞ review thing\n"
                                        "↳ detail thing\n"
                                        "⚙ gear thing\n"
                                        "→\n"
                                        "plain words\n"
                                        "/opt/tool/lib/clean/user.sh: line 12: FOO: unbound variable\n"
                                        "➤   \n"
                                        "Potential space: 1 GB\n"
                                        "Use --verbose for more\n"
                                        "Space freed: 2 GB\n"
                                        "Dry run complete\n")
                             .arg(esc);
    const CleanPreviewReport report = CleanPreviewParser::parse(text);
    const QString sys = QStringLiteral("System caches");
    const QList<Row> expected = {
        {"Overview", "loose line before any section", QStringLiteral("Info"), Status::info},
        {sys, "/Users/u/Library/Caches/x  12 MB", QStringLiteral("Cleanable"), Status::cleanable},
        {sys, "done thing", QStringLiteral("Done"), Status::done},
        {sys, "skipped thing", QStringLiteral("Skipped"), Status::skipped},
        {sys, "review thing", QStringLiteral("Review"), Status::review},
        {sys, "detail thing", QStringLiteral("Detail"), Status::detail},
        {sys, "gear thing", std::nullopt, Status::info},
        {sys, "→", QStringLiteral("Cleanable"), Status::cleanable},
        {sys, "plain words", std::nullopt, Status::info},
        {"Summary", "Potential space: 1 GB", std::nullopt, Status::summary},
        {"Summary", "Use --verbose for more", std::nullopt, Status::detail},
        {"Summary", "Space freed: 2 GB", std::nullopt, Status::summary},
        {sys, "Dry run complete", std::nullopt, Status::info},
    };
    EXPECT_EQ(rows(report), expected);
    EXPECT_EQ(report.summary, QStringLiteral("Space freed: 2 GB")) << "the last summary line wins";
}

TEST(CleanPreviewParser, TerminalMarkersAnywhereSwitchFormat)
{
    TestEnv env;
    // A list-looking text with the completion phrase is read as terminal output.
    const CleanPreviewReport report = CleanPreviewParser::parse(QStringLiteral("/a/b  # note\nDry run complete"));
    ASSERT_EQ(report.entries.size(), 2);
    EXPECT_EQ(report.entries[0].path, "/a/b  # note");
    EXPECT_EQ(report.entries[0].status, Status::info);
    EXPECT_EQ(report.entries[0].section, "Overview");
}

TEST(CleanPreviewParser, TextsFollowTheLanguageChoice)
{
    TestEnv env;
    env.setLanguagePreference(QStringLiteral("chinese"));
    const CleanPreviewReport terminal
        = CleanPreviewParser::parse(QStringLiteral("• first\n→ /x\nPotential space: 1 KB\nCleanup complete"));
    ASSERT_GE(terminal.entries.size(), 3);
    EXPECT_EQ(terminal.entries[0].section, QStringLiteral("概览"));
    EXPECT_EQ(terminal.entries[0].note, QStringLiteral("信息"));
    EXPECT_EQ(terminal.entries[1].note, QStringLiteral("可清理"));
    EXPECT_EQ(terminal.entries[2].section, QStringLiteral("汇总"));

    env.setLanguagePreference(QStringLiteral("english"));
    EXPECT_EQ(CleanPreviewParser::parse(QStringLiteral("/x")).entries.at(0).section, kList)
        << "the plain list's first section is the same in both languages";
}

TEST(CleanPreviewParser, FileLocationsAndReading)
{
    TestEnv env;
    EXPECT_EQ(CleanPreviewParser::defaultReportURL(env.home()), env.home() + "/.config/roror/clean-list.txt");
    EXPECT_EQ(CleanPreviewParser::legacyReportURL(env.home()), env.home() + "/.config/zida/clean-list.txt");

    const QString good = env.writeFile(".config/roror/clean-list.txt", "/a  # n\n");
    EXPECT_EQ(CleanPreviewParser::parseFile(good).entries.size(), 1);

    const QString bad = env.writeFile("bad.txt", QByteArray("/a\xff\xfe\n"));
    EXPECT_THROW(CleanPreviewParser::parseFile(bad), CleanFileError);
    EXPECT_THROW(CleanPreviewParser::parseFile(env.home() + "/missing.txt"), CleanFileError);
}
