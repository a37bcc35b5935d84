#include "core/update/RororUpdateInfo.h"

#include "core/update/UpdateError.h"
#include "core/update/UpdateVersionComparator.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

namespace roror {

namespace {

using Kind = UpdateDecodingError::Kind;

std::optional<QString> optionalString(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    if (!value.isString())
        throw UpdateDecodingError(Kind::typeMismatch, key);
    return value.toString();
}

std::optional<QUrl> optionalURL(const QJsonObject& object, const QString& key)
{
    const std::optional<QString> text = optionalString(object, key);
    if (!text)
        return std::nullopt;
    const QUrl url(*text, QUrl::StrictMode);
    if (text->isEmpty() || !url.isValid())
        throw UpdateDecodingError(Kind::dataCorrupted, key);
    return url;
}

} // namespace

RororUpdateInfo RororUpdateInfo::decode(const QByteArray& json)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        throw UpdateDecodingError(Kind::dataCorrupted, QString());
    if (!document.isObject())
        throw UpdateDecodingError(Kind::typeMismatch, QString());
    return decode(document.object());
}

RororUpdateInfo RororUpdateInfo::decode(const QJsonObject& object)
{
    const QString versionKey = QStringLiteral("version");
    const QJsonValue version = object.value(versionKey);
    if (version.isUndefined())
        throw UpdateDecodingError(Kind::keyNotFound, versionKey);
    if (version.isNull())
        throw UpdateDecodingError(Kind::valueNotFound, versionKey);
    if (!version.isString())
        throw UpdateDecodingError(Kind::typeMismatch, versionKey);

    RororUpdateInfo info;
    info.version = version.toString();
    info.build = optionalString(object, QStringLiteral("build"));
    info.downloadURL = optionalURL(object, QStringLiteral("download_url"));
    info.releaseNotesURL = optionalURL(object, QStringLiteral("release_notes_url"));
    info.releaseNotes = optionalString(object, QStringLiteral("release_notes"));
    return info;
}

QString RororUpdateInfo::displayVersion() const
{
    return QStringLiteral("v") + version;
}

std::optional<QUrl> RororUpdateInfo::installableDownloadURL(const QString& currentVersion,
                                                            const std::optional<QString>& currentBuild) const
{
    if (!UpdateVersionComparator::isUpdateAvailable(currentVersion, currentBuild, version, build))
        return std::nullopt;
    return downloadURL;
}

} // namespace roror
