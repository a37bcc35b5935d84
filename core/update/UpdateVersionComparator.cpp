#include "core/update/UpdateVersionComparator.h"

#include <QChar>
#include <QRegularExpression>

namespace roror {

QList<qint64> UpdateVersionComparator::versionParts(const QString& version)
{
    QList<qint64> parts;
    const QStringList pieces = version.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    for (const QString& piece : pieces) {
        // The leading run of anything Unicode counts as numeric; only plain ASCII digits give a value.
        QString run;
        qsizetype runLength = 0;
        bool asciiOnly = true;
        const QList<uint> codePoints = piece.toUcs4();
        for (const uint codePoint : codePoints) {
            if (!QChar::isNumber(char32_t(codePoint)))
                break;
            if (codePoint < '0' || codePoint > '9')
                asciiOnly = false;
            else
                run += QLatin1Char(char(codePoint));
            ++runLength;
        }
        qint64 value = 0;
        if (runLength > 0 && asciiOnly) {
            bool ok = false;
            value = run.toLongLong(&ok);
            if (!ok)
                value = 0;
        }
        parts.append(value);
    }
    return parts;
}

int UpdateVersionComparator::compareVersionStrings(const QString& lhs, const QString& rhs)
{
    const QList<qint64> left = versionParts(lhs);
    const QList<qint64> right = versionParts(rhs);
    const qsizetype count = std::max(left.size(), right.size());
    for (qsizetype i = 0; i < count; ++i) {
        const qint64 l = i < left.size() ? left[i] : 0;
        const qint64 r = i < right.size() ? right[i] : 0;
        if (l != r)
            return l > r ? 1 : -1;
    }
    return 0;
}

std::optional<qint64> UpdateVersionComparator::integerValue(const std::optional<QString>& text)
{
    if (!text)
        return std::nullopt;
    const QString trimmed = text->trimmed();
    static const QRegularExpression integer(QStringLiteral("^[+-]?[0-9]+$"));
    if (trimmed.isEmpty() || !integer.match(trimmed).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 value = trimmed.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

bool UpdateVersionComparator::isUpdateAvailable(const QString& currentVersion,
                                                const std::optional<QString>& currentBuild,
                                                const QString& latestVersion, const std::optional<QString>& latestBuild)
{
    const int comparison = compareVersionStrings(latestVersion, currentVersion);
    if (comparison != 0)
        return comparison > 0;
    const std::optional<qint64> latest = integerValue(latestBuild);
    if (!latest)
        return false;
    const std::optional<qint64> current = integerValue(currentBuild);
    if (!current)
        return false;
    return *current < *latest;
}

} // namespace roror
