#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>

namespace roror::test {

// Writes a plain (stored, uncompressed) zip archive with the members in the given order, so a
// test decides exactly what a listing shows and where each name lies in the file.
inline bool writeZip(const QString& path, const QList<QPair<QByteArray, QByteArray>>& members)
{
    const auto crc32 = [](const QByteArray& data) {
        quint32 crc = 0xFFFFFFFFu;
        for (char byte : data) {
            crc ^= static_cast<quint8>(byte);
            for (int k = 0; k < 8; ++k)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
        return ~crc;
    };
    QByteArray out;
    const auto u16 = [&out](quint32 v) {
        out.append(static_cast<char>(v & 0xFF));
        out.append(static_cast<char>((v >> 8) & 0xFF));
    };
    const auto u32 = [&u16](quint32 v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    QList<quint32> offsets;
    for (const auto& [name, data] : members) {
        offsets.append(static_cast<quint32>(out.size()));
        u32(0x04034b50);
        u16(10);
        u16(0);
        u16(0);
        u16(0);
        u16(0x21);
        u32(crc32(data));
        u32(static_cast<quint32>(data.size()));
        u32(static_cast<quint32>(data.size()));
        u16(static_cast<quint32>(name.size()));
        u16(0);
        out.append(name);
        out.append(data);
    }
    const auto directoryStart = static_cast<quint32>(out.size());
    for (qsizetype i = 0; i < members.size(); ++i) {
        const auto& [name, data] = members.at(i);
        u32(0x02014b50);
        u16(0x031E);
        u16(10);
        u16(0);
        u16(0);
        u16(0);
        u16(0x21);
        u32(crc32(data));
        u32(static_cast<quint32>(data.size()));
        u32(static_cast<quint32>(data.size()));
        u16(static_cast<quint32>(name.size()));
        u16(0);
        u16(0);
        u16(0);
        u16(0);
        u32(name.endsWith('/') ? 0x41ED0010u : 0x81A40000u);
        u32(offsets.at(i));
        out.append(name);
    }
    const auto directorySize = static_cast<quint32>(out.size()) - directoryStart;
    u32(0x06054b50);
    u16(0);
    u16(0);
    u16(static_cast<quint32>(members.size()));
    u16(static_cast<quint32>(members.size()));
    u32(directorySize);
    u32(directoryStart);
    u16(0);

    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(out) == out.size();
}

} // namespace roror::test
