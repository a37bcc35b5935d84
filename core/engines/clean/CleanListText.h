#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace roror::CleanListText {

// Splits at every line-break character (LF, VT, FF, CR, U+0085, U+2028, U+2029), keeping the empty
// pieces (a CR LF pair gives one).
QStringList splitAtLineBreaks(const QString& text);

// The whole file decoded as UTF-8. Only a regular file is read (a link to one is followed), never a
// pipe or device that could block or never end; throws CleanFileError when it is something else,
// holds more than `maxBytes`, cannot be read or is not UTF-8.
QString readUtf8File(const QString& path, std::optional<qint64> maxBytes = std::nullopt);

} // namespace roror::CleanListText
