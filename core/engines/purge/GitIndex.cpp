#include "core/engines/purge/GitIndex.h"

#include <QtEndian>
#include <cstring>

namespace roror::GitIndex {

namespace {

// git's offset varint: seven bits a byte, most significant first, each continuation adding one.
bool readVarint(const uchar* data, qsizetype end, qsizetype& pos, quint64& value)
{
    if (pos >= end)
        return false;
    uchar c = data[pos++];
    value = c & 0x7f;
    while (c & 0x80) {
        ++value;
        if (value == 0 || (value >> 57) != 0 || pos >= end)
            return false;
        c = data[pos++];
        value = (value << 7) + (c & 0x7f);
    }
    return true;
}

// Length of the NUL-terminated text at `pos`, or -1 when no NUL comes before `end`.
qsizetype terminatedLength(const uchar* data, qsizetype end, qsizetype pos)
{
    const void* nul = std::memchr(data + pos, 0, static_cast<size_t>(end - pos));
    return nul ? static_cast<const uchar*>(nul) - (data + pos) : -1;
}

} // namespace

std::optional<QList<QByteArray>> readPaths(QByteArrayView data, int hashSize)
{
    if (hashSize != 20 && hashSize != 32)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const uchar*>(data.data());
    const qsizetype size = data.size();
    constexpr qsizetype headerSize = 12;
    if (size < headerSize + hashSize || std::memcmp(bytes, "DIRC", 4) != 0)
        return std::nullopt;
    const quint32 version = qFromBigEndian<quint32>(bytes + 4);
    if (version < 2 || version > 4)
        return std::nullopt;
    const quint32 count = qFromBigEndian<quint32>(bytes + 8);
    const qsizetype end = size - hashSize; // the trailing checksum
    // Ten 32-bit stat fields, the object name, 16 bits of flags.
    const qsizetype fixedSize = 40 + hashSize + 2;
    // Every entry takes at least its fixed part and two more bytes, so the count is bounded by the size.
    if (count > static_cast<quint64>((end - headerSize) / (fixedSize + 2)))
        return std::nullopt;

    QList<QByteArray> paths;
    paths.reserve(count);
    qsizetype pos = headerSize;
    QByteArray previous;
    for (quint32 i = 0; i < count; ++i) {
        const qsizetype start = pos;
        if (end - pos < fixedSize)
            return std::nullopt;
        const quint16 flags = qFromBigEndian<quint16>(bytes + pos + 40 + hashSize);
        pos += fixedSize;
        if (flags & 0x4000) { // extended flags follow
            if (version < 3 || end - pos < 2)
                return std::nullopt;
            pos += 2;
        }
        const qsizetype recordedLength = flags & 0x0fff; // 0xfff: that long or longer
        QByteArray name;
        if (version == 4) {
            // The name drops N bytes from the end of the previous one and adds a suffix.
            quint64 strip = 0;
            if (!readVarint(bytes, end, pos, strip) || strip > static_cast<quint64>(previous.size()))
                return std::nullopt;
            const qsizetype length = terminatedLength(bytes, end, pos);
            if (length < 0)
                return std::nullopt;
            name = previous.left(previous.size() - static_cast<qsizetype>(strip));
            name.append(reinterpret_cast<const char*>(bytes + pos), length);
            pos += length + 1;
        } else {
            const qsizetype length = terminatedLength(bytes, end, pos);
            if (length < 0)
                return std::nullopt;
            name = QByteArray(reinterpret_cast<const char*>(bytes + pos), length);
            // One to eight NULs pad the entry to a multiple of eight bytes.
            pos = start + ((pos - start + length + 8) & ~qsizetype(7));
            if (pos > end)
                return std::nullopt;
        }
        if (name.isEmpty() || (recordedLength < 0xfff && name.size() != recordedLength))
            return std::nullopt;
        paths.append(name);
        previous = std::move(name);
    }

    // Extensions: a four-byte signature and a 32-bit length each, up to the checksum.
    while (pos < end) {
        if (end - pos < 8)
            return std::nullopt;
        const QByteArrayView signature(bytes + pos, 4);
        const quint32 length = qFromBigEndian<quint32>(bytes + pos + 4);
        pos += 8;
        if (length > static_cast<quint64>(end - pos))
            return std::nullopt;
        if (signature == QByteArrayView("link"))
            return std::nullopt; // the other paths live in a shared index
        pos += length;
    }
    return paths;
}

} // namespace roror::GitIndex
