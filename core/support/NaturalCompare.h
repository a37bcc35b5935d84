#pragma once

#include <QString>

namespace roror {

// Finder-like ordering that does not depend on the process locale: case-insensitive, runs of
// digits compared by value ("Setup2" < "Setup10"). Returns <0, 0 or >0.
int localizedStandardCompare(const QString& a, const QString& b);

// Case-insensitive comparison without digit handling.
int localizedCaseInsensitiveCompare(const QString& a, const QString& b);

} // namespace roror
