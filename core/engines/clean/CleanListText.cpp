#include "core/engines/clean/CleanListText.h"

#include "core/engines/clean/CleanFileError.h"

#include <QFile>
#include <QStringDecoder>

namespace roror::CleanListText {

namespace {

bool isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case 0x0A:
    case 0x0B:
    case 0x0C:
    case 0x0D:
    case 0x85:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

} // namespace

QStringList splitAtLineBreaks(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isLineBreak(text.at(i))) {
            lines.append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    lines.append(text.mid(start));
    return lines;
}

QString readUtf8File(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CleanFileError(CleanFileError::Kind::unreadable, path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CleanFileError(CleanFileError::Kind::unreadable, path, file.errorString());
    QStringDecoder decoder(QStringConverter::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        throw CleanFileError(CleanFileError::Kind::notUtf8, path);
    return text;
}

} // namespace roror::CleanListText
