#include "core/engines/clean/CleanPreviewReport.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace roror;
using Entry = CleanPreviewReport::Entry;
using Status = CleanPreviewEntryStatus;

namespace {

Entry entry(const QString& section, const std::optional<QString>& note = std::nullopt)
{
    return {QUuid::createUuid(), section, QStringLiteral("/p"), note, Status::cleanable};
}

} // namespace

TEST(CleanPreviewReport, StatusRawValuesRoundTripExactly)
{
    const QList<std::pair<Status, QString>> table = {
        {Status::cleanable, "cleanable"}, {Status::done, "done"},     {Status::skipped, "skipped"},
        {Status::info, "info"},           {Status::detail, "detail"}, {Status::review, "review"},
        {Status::summary, "summary"},
    };
    QSet<size_t> hashes;
    for (const auto& [status, raw] : table) {
        EXPECT_EQ(toRaw(status), raw);
        EXPECT_EQ(cleanPreviewEntryStatusFromRaw(raw), status) << raw.toStdString();
        hashes.insert(qHash(status));
    }
    EXPECT_EQ(hashes.size(), 7);
    for (const QString bad : {"Cleanable", "SUMMARY", " done", "", "unknown"})
        EXPECT_FALSE(cleanPreviewEntryStatusFromRaw(bad).has_value()) << bad.toStdString();
}

TEST(CleanPreviewReport, EqualityComparesEveryFieldAndOrder)
{
    const Entry a = entry("A", QString());
    Entry noNote = a;
    noNote.note.reset();
    EXPECT_NE(a, noNote) << "an absent note differs from an empty one";
    Entry otherId = a;
    otherId.id = QUuid::createUuid();
    EXPECT_NE(a, otherId);
    Entry otherStatus = a;
    otherStatus.status = Status::skipped;
    EXPECT_NE(a, otherStatus);

    const Entry b = entry("B", "note");
    const QDateTime when = QDateTime::currentDateTime();
    const CleanPreviewReport ab{{a, b}, when, QStringLiteral("s")};
    EXPECT_EQ(ab, (CleanPreviewReport{{a, b}, when, QStringLiteral("s")}));
    EXPECT_NE(ab, (CleanPreviewReport{{b, a}, when, QStringLiteral("s")}));
    EXPECT_NE(ab, (CleanPreviewReport{{a, b}, when, std::nullopt}));
    EXPECT_NE(ab, (CleanPreviewReport{{a, b}, when.addSecs(1), QStringLiteral("s")}));
}

TEST(CleanPreviewReport, SectionCountIsCaseSensitive)
{
    EXPECT_EQ(CleanPreviewReport{}.sectionCount(), 0);
    const CleanPreviewReport report{{entry("A"), entry("a"), entry("A")}, QDateTime::currentDateTime(), std::nullopt};
    EXPECT_EQ(report.sectionCount(), 2);
}
