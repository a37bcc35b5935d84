#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace roror::fuzz {

// The throw-away folder every target works in: HOME, the XDG folders and the settings file point
// into it (set up before the first input), so no target reaches the real home or settings.
QString sandbox();

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

inline std::string_view view(const uint8_t* data, size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// Cuts an input into up to `count` pieces at newlines; the last piece keeps the rest.
QList<QByteArray> pieces(const uint8_t* data, size_t size, int count);

} // namespace roror::fuzz
