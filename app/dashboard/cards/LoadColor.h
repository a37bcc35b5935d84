#pragma once

#include <QString>
#include <optional>

namespace roror {

// A colour of the theme. Views look the colour up by its name (the theme's property of that
// name), so the dashboard's C++ decides which colour and QML owns what the colour is.
enum class ThemeTone { accent, ink, muted, quiet, line, success, amber, danger, orbCool };

QString toName(ThemeTone tone);

namespace LoadColor {

// The one mapping from a load to a colour: an explicit colour wins; no load is quiet; 88 and
// above danger; 70 and above amber; anything else (a value that is not a number too) success.
// The raw load is compared, before any clamping.
ThemeTone tone(std::optional<double> percent, std::optional<ThemeTone> explicitTone = std::nullopt);

// A percentage as the filled share of a bar: p / 100, nothing below 0, at most 1.
double barFraction(double percent);

} // namespace LoadColor

} // namespace roror
