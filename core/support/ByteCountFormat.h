#pragma once

#include <QString>

namespace roror {

// Decimal (base 1000) byte-count text from KB to TB with the unit always shown, as the
// platform's file-style formatter gives it: KB without decimals, MB with one, GB and TB with two,
// trailing zeros dropped. Sizes under 1 KB are still shown in KB (0 gives "0 KB", 1..999 give "1 KB").
QString formatByteCount(qint64 bytes);

} // namespace roror
