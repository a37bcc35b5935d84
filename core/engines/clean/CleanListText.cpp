#include "core/engines/clean/CleanListText.h"

#include "core/engines/clean/CleanFileError.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

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

QString readUtf8File(const QString& path, std::optional<qint64> maxBytes)
{
    const auto systemReason = [](int error) { return QString::fromLocal8Bit(std::strerror(error)); };
    // Without O_NONBLOCK, opening a pipe waits for a writer that may never come.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        throw CleanFileError(CleanFileError::Kind::unreadable, path, systemReason(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st { };
    if (::fstat(fd, &st) != 0)
        throw CleanFileError(CleanFileError::Kind::unreadable, path, systemReason(errno));
    if (!S_ISREG(st.st_mode))
        throw CleanFileError(CleanFileError::Kind::notRegularFile, path);
    if (maxBytes && st.st_size > *maxBytes)
        throw CleanFileError(CleanFileError::Kind::tooLarge, path);

    // The file may grow while it is read: never more than one byte past the limit is taken in.
    const qint64 limit = maxBytes ? *maxBytes + 1 : std::numeric_limits<qint64>::max();
    QByteArray bytes;
    char buffer[65536];
    while (bytes.size() < limit) {
        const size_t want = static_cast<size_t>(std::min<qint64>(sizeof buffer, limit - bytes.size()));
        const ssize_t got = ::read(fd, buffer, want);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw CleanFileError(CleanFileError::Kind::unreadable, path, systemReason(errno));
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    if (maxBytes && bytes.size() > *maxBytes)
        throw CleanFileError(CleanFileError::Kind::tooLarge, path);
    QStringDecoder decoder(QStringConverter::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        throw CleanFileError(CleanFileError::Kind::notUtf8, path);
    return text;
}

} // namespace roror::CleanListText
