#include "core/engines/clean/CleanFileError.h"

#include "core/model/AppLocalization.h"

namespace roror {

namespace {

QString message(CleanFileError::Kind kind)
{
    using AppLocalization::coreText;
    switch (kind) {
    case CleanFileError::Kind::unreadable:
        break;
    case CleanFileError::Kind::notUtf8:
        return coreText(QStringLiteral("无法读取文件“%1”，因为它不是 UTF-8 文本。"),
                        QStringLiteral("The file “%1” couldn’t be read because it isn’t UTF-8 text."));
    case CleanFileError::Kind::notRegularFile:
        return coreText(QStringLiteral("无法读取“%1”，因为它不是普通文件。"),
                        QStringLiteral("“%1” couldn’t be read because it isn’t a regular file."));
    case CleanFileError::Kind::tooLarge:
        return coreText(QStringLiteral("无法读取文件“%1”，因为它超过 1 MiB。"),
                        QStringLiteral("The file “%1” couldn’t be read because it is larger than 1 MiB."));
    case CleanFileError::Kind::neverMatches:
        return coreText(QStringLiteral("文件“%1”中的这一行不是以 / 或 ~ 开头的完整路径，不会保护任何内容："),
                        QStringLiteral("A line in the file “%1” is not a full path starting with / or ~ and would "
                                       "protect nothing:"));
    case CleanFileError::Kind::folderNotCreated:
        return coreText(QStringLiteral("无法创建文件夹“%1”。"), QStringLiteral("The folder “%1” couldn’t be created."));
    case CleanFileError::Kind::notWritten:
        return coreText(QStringLiteral("无法存储文件“%1”。"), QStringLiteral("The file “%1” couldn’t be saved."));
    }
    return coreText(QStringLiteral("无法读取文件“%1”。"), QStringLiteral("The file “%1” couldn’t be read."));
}

} // namespace

CleanFileError::CleanFileError(Kind kind, const QString& path, const QString& reason)
    : PathError(path, message(kind), reason)
    , m_kind(kind)
{
}

} // namespace roror
