#pragma once

#include <QString>
#include <QStringList>

namespace roror::CleanListText {

// Splits at every line-break character (LF, VT, FF, CR, U+0085, U+2028, U+2029), keeping the empty
// pieces (a CR LF pair gives one).
QStringList splitAtLineBreaks(const QString& text);

// The whole file decoded as UTF-8; throws CleanFileError when it cannot be read or is not UTF-8.
QString readUtf8File(const QString& path);

} // namespace roror::CleanListText
