#include "core/engines/clean/CleanPreviewParser.h"

#include "core/engines/clean/CleanListText.h"
#include "core/model/AppLocalization.h"
#include "core/support/StandardPath.h"

#include <QRegularExpression>
#include <tuple>

namespace roror::CleanPreviewParser {

namespace {

using AppLocalization::coreText;
using Status = CleanPreviewEntryStatus;

const QString kNoteSeparator = QStringLiteral("  # ");

CleanPreviewReport::Entry makeEntry(const QString& section, const QString& path, const std::optional<QString>& note,
                                    Status status)
{
    return {QUuid::createUuid(), section, path, note, status};
}

QString summarySection()
{
    return coreText(QStringLiteral("汇总"), QStringLiteral("Summary"));
}

struct Symbol {
    char16_t symbol;
    Status status;
    const char16_t* noteZh;
    const char16_t* noteEn;
};

// Tried in this order; the first symbol a line starts with wins.
constexpr Symbol kSymbols[] = {
    {u'\u2192', Status::cleanable, u"可清理", u"Cleanable"},
    {u'\u2713', Status::done, u"完成", u"Done"},
    {u'\u25CE', Status::skipped, u"跳过", u"Skipped"},
    {u'\u261E', Status::review, u"建议", u"Review"},
    {u'\u21B3', Status::detail, u"详情", u"Detail"},
    {u'\u2022', Status::info, u"信息", u"Info"},
    {u'\u2699', Status::info, nullptr, nullptr},
};

std::tuple<QString, std::optional<QString>, Status> parseTerminalLine(const QString& line)
{
    for (const Symbol& symbol : kSymbols) {
        if (!line.startsWith(QChar(symbol.symbol)))
            continue;
        const QString rest = line.mid(1).trimmed();
        std::optional<QString> note;
        if (symbol.noteZh)
            note = coreText(QString::fromUtf16(symbol.noteZh), QString::fromUtf16(symbol.noteEn));
        return {rest.isEmpty() ? line : rest, note, symbol.status};
    }
    return {line, std::nullopt, Status::info};
}

bool isAll(const QString& line, QChar c)
{
    for (const QChar ch : line) {
        if (ch != c)
            return false;
    }
    return true;
}

CleanPreviewReport parseTerminalOutput(const QString& text)
{
    QString section = coreText(QStringLiteral("概览"), QStringLiteral("Overview"));
    std::optional<QString> summary;
    QList<CleanPreviewReport::Entry> entries;
    const QChar arrow(u'\u27A4');

    for (const QString& rawLine : CleanListText::splitAtLineBreaks(text)) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        if (line.contains(QLatin1String("/lib/clean/")) && line.contains(QLatin1String(": line "))
            && line.contains(QLatin1String("unbound variable")))
            continue;
        if (isAll(line, QLatin1Char('=')))
            continue;
        if (line == QLatin1String("Clean Your Mac"))
            continue;
        if (line.startsWith(arrow)) {
            const QString name = line.mid(1).trimmed();
            if (!name.isEmpty())
                section = name;
            continue;
        }
        if (line.startsWith(QLatin1String("Potential space:")) || line.startsWith(QLatin1String("Space freed:"))
            || line.startsWith(QLatin1String("Detailed file list:"))) {
            entries.append(makeEntry(summarySection(), line, std::nullopt, Status::summary));
            summary = line;
            continue;
        }
        if (line.startsWith(QLatin1String("Use "))) {
            entries.append(makeEntry(summarySection(), line, std::nullopt, Status::detail));
            continue;
        }
        const auto [itemText, note, status] = parseTerminalLine(line);
        entries.append(makeEntry(section, itemText, note, status));
    }
    return {entries, QDateTime::currentDateTime(), summary};
}

QString stripHeadingMarks(const QString& line)
{
    qsizetype start = 0;
    qsizetype end = line.size();
    auto isMark = [](QChar c) { return c == QLatin1Char('=') || c == QLatin1Char(' '); };
    while (start < end && isMark(line.at(start)))
        ++start;
    while (end > start && isMark(line.at(end - 1)))
        --end;
    return line.mid(start, end - start).trimmed();
}

} // namespace

QString defaultReportURL(const QString& home)
{
    return joinPath(joinPath(joinPath(home, QStringLiteral(".config")), QStringLiteral("roror")),
                    QStringLiteral("clean-list.txt"));
}

QString legacyReportURL(const QString& home)
{
    return joinPath(joinPath(joinPath(home, QStringLiteral(".config")), QStringLiteral("zida")),
                    QStringLiteral("clean-list.txt"));
}

CleanPreviewReport parseFile(const QString& path)
{
    return parse(CleanListText::readUtf8File(path));
}

CleanPreviewReport parse(const QString& input)
{
    static const QRegularExpression colourCodes(QStringLiteral("\x1B\\[[0-9;]*[A-Za-z]"));
    QString text = input;
    if (colourCodes.isValid())
        text.remove(colourCodes);

    const QStringList lines = CleanListText::splitAtLineBreaks(text);
    for (const QString& line : lines) {
        if (line.contains(QChar(u'\u27A4')) || line.contains(QLatin1String("Dry run complete"))
            || line.contains(QLatin1String("Cleanup complete")))
            return parseTerminalOutput(text);
    }

    QString section = QStringLiteral("可清理项目");
    QList<CleanPreviewReport::Entry> entries;
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1String("===")) && line.endsWith(QLatin1String("==="))) {
            const QString name = stripHeadingMarks(line);
            if (!name.isEmpty())
                section = name;
            continue;
        }
        QStringList pieces = line.split(kNoteSeparator);
        const QString path = pieces.takeFirst().trimmed();
        if (!path.startsWith(QLatin1Char('/')) && !path.startsWith(QLatin1Char('~')))
            continue;
        const QString noteText = pieces.join(kNoteSeparator).trimmed();
        const std::optional<QString> note = noteText.isEmpty() ? std::nullopt : std::optional<QString>(noteText);
        entries.append(makeEntry(section, path, note, Status::cleanable));
    }
    return {entries, QDateTime::currentDateTime(), std::nullopt};
}

} // namespace roror::CleanPreviewParser
