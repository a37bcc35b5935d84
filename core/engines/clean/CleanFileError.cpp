#include "core/engines/clean/CleanFileError.h"

#include "core/model/AppLocalization.h"

namespace roror {

namespace {

QString describe(CleanFileError::Kind kind, const QString& path, const QString& reason)
{
    using AppLocalization::coreText;
    QString text;
    switch (kind) {
    case CleanFileError::Kind::unreadable:
        text = coreText(QStringLiteral("无法读取文件“%1”。"), QStringLiteral("The file “%1” couldn’t be read."));
        break;
    case CleanFileError::Kind::notUtf8:
        text = coreText(QStringLiteral("无法读取文件“%1”，因为它不是 UTF-8 文本。"),
                        QStringLiteral("The file “%1” couldn’t be read because it isn’t UTF-8 text."));
        break;
    case CleanFileError::Kind::folderNotCreated:
        text = coreText(QStringLiteral("无法创建文件夹“%1”。"), QStringLiteral("The folder “%1” couldn’t be created."));
        break;
    case CleanFileError::Kind::notWritten:
        text = coreText(QStringLiteral("无法存储文件“%1”。"), QStringLiteral("The file “%1” couldn’t be saved."));
        break;
    }
    text = text.arg(path);
    if (!reason.isEmpty())
        text += QLatin1Char(' ') + reason;
    return text;
}

} // namespace

CleanFileError::CleanFileError(Kind kind, const QString& path, const QString& reason)
    : m_kind(kind)
    , m_path(path)
    , m_description(describe(kind, path, reason))
    , m_what(m_description.toUtf8())
{
}

} // namespace roror
