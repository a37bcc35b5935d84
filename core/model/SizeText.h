#pragma once

#include <QString>
#include <optional>

namespace roror::SizeText {

// Decimal KB..TB text; a missing value is "未知" / "Unknown" in the current language.
QString bytes(std::optional<qint64> value);

// "%.1f%%" of the value as given (already a percentage).
QString percent(std::optional<double> value);

} // namespace roror::SizeText
