#include "core/engines/installer/ZipInstallerCheck.h"

#include "core/support/StandardPath.h"
#include "platform/ToolRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <unistd.h>

namespace roror::ZipInstallerCheck {

namespace {

bool lineHasMarker(const QString& line)
{
    static const QStringList markers = {
        QStringLiteral(".app"),
        QStringLiteral(".pkg"),
        QStringLiteral(".dmg"),
        QStringLiteral(".xip"),
    };
    const QString lowered = line.toLower();
    for (const QString& marker : markers) {
        if (lowered.endsWith(marker) || lowered.contains(marker + QLatin1Char('/')))
            return true;
    }
    return false;
}

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\u0085' || c == u'\u2028' || c == u'\u2029';
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isLineBreak(text.at(i).unicode()))
            continue;
        if (i > start)
            lines.append(text.mid(start, i - start));
        start = i + 1;
    }
    return lines;
}

// unzip and zipinfo read their archive argument as a wildcard pattern ("*", "?", "[...]") with no
// way to escape it, so such a name could list a different archive. Those archives are handed over
// through a link with a plain name in a private temporary folder.
bool needsPlainName(const QString& path)
{
    return path.contains(QLatin1Char('*')) || path.contains(QLatin1Char('?')) || path.contains(QLatin1Char('['));
}

} // namespace

const QList<ListingTool>& listingTools()
{
    static const QList<ListingTool> tools = {
        {QStringLiteral("/usr/bin/unzip"), {QStringLiteral("-Z"), QStringLiteral("-1")}},
        {QStringLiteral("/usr/bin/zipinfo"), {QStringLiteral("-1")}},
    };
    return tools;
}

bool zipHoldsInstaller(const QString& path)
{
    return zipHoldsInstaller(path, listingTools());
}

bool zipHoldsInstaller(const QString& path, const QList<ListingTool>& tools)
{
    if (lastPathComponent(path).toLower().endsWith(QLatin1String(".app.zip")))
        return true;
    if (const auto listing = listZipEntries(path, listingLineLimit, tools)) {
        for (const QString& line : *listing) {
            if (lineHasMarker(line))
                return true;
        }
        return false;
    }
    return zipTailContainsInstallerMarker(path);
}

std::optional<QStringList> listZipEntries(const QString& path, int limit, const QList<ListingTool>& tools)
{
    // An absolute path never starts with "-", so no tool can take it for an option.
    QString archive = standardizedPath(path);
    std::optional<QTemporaryDir> plainFolder;
    if (needsPlainName(archive)) {
        plainFolder.emplace();
        if (!plainFolder->isValid())
            return std::nullopt;
        const QString link = plainFolder->filePath(QStringLiteral("archive.zip"));
        if (needsPlainName(link))
            return std::nullopt;
        if (::symlink(QFile::encodeName(archive).constData(), QFile::encodeName(link).constData()) != 0)
            return std::nullopt;
        archive = link;
    }
    for (const ListingTool& tool : tools) {
        if (auto lines = runListingTool(tool.executable, tool.arguments + QStringList{archive}, limit))
            return lines;
    }
    return std::nullopt;
}

std::optional<QStringList> runListingTool(const QString& executable, const QStringList& arguments, int limit)
{
    const QFileInfo info(executable);
    if (!info.isFile() || !info.isExecutable())
        return std::nullopt;

    ToolRunOptions options;
    options.timeoutMs = toolTimeoutMs;
    // Reading stops after the limit and the tool is ended, so a long listing never fills the
    // pipe and never runs into the time-out.
    options.maxOutputLines = limit;
    const ToolRunResult run = runTool(executable, arguments, options);
    if (!run.succeeded())
        return std::nullopt;

    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(run.standardOutput);
    if (decoder.hasError())
        return std::nullopt;
    QStringList lines = splitLines(text);
    if (lines.isEmpty())
        return std::nullopt;
    if (lines.size() > limit)
        lines.resize(limit);
    return lines;
}

bool zipTailContainsInstallerMarker(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    const qint64 window = std::min(size, tailWindowBytes);
    if (!file.seek(size - window))
        return false;
    QByteArray tail = file.read(window);
    for (char& c : tail) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    }
    static const QByteArrayList markers = {".app/", ".pkg/", ".dmg", ".xip"};
    for (const QByteArray& marker : markers) {
        if (tail.contains(marker))
            return true;
    }
    return false;
}

} // namespace roror::ZipInstallerCheck
