#pragma once

#include <QString>
#include <optional>

namespace roror {

// The machine's static facts, gathered once per process.
struct LocalSystemOverview {
    std::optional<QString> modelName;
    std::optional<QString> modelIdentifier;
    std::optional<QString> chipName;
    std::optional<qint64> gpuCoreCount;
    std::optional<qint64> displayRefreshRate; // hertz
    std::optional<QString> osVersion;
    // Whether the chip carries the graphics (one entry named after the chip); where it does not,
    // the graphics adapter's own name is gpuName.
    bool graphicsOnChip = true;
    std::optional<QString> gpuName;
    // The operating system's product name; absent reads as "macOS".
    std::optional<QString> osName;

    bool operator==(const LocalSystemOverview&) const = default;
};

} // namespace roror
