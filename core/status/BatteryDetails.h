#pragma once

#include <QString>
#include <optional>

namespace roror {

// The slowly changing battery facts, read once per process.
struct BatteryDetails {
    std::optional<QString> health;
    std::optional<qint64> cycleCount;
    std::optional<qint64> capacity;    // maximum capacity, percent of design capacity
    std::optional<double> temperature; // degrees Celsius

    bool operator==(const BatteryDetails&) const = default;
};

} // namespace roror
