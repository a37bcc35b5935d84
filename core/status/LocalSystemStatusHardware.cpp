#include "core/status/LocalSystemStatus.h"

#include "core/model/AppLocalization.h"
#include "core/status/LocalSystemStatusState.h"

#include <cmath>

namespace roror::LocalSystemStatus {

using namespace detail;

namespace {

std::optional<QString> nonEmptyTrimmed(const std::optional<QString>& text)
{
    if (!text)
        return std::nullopt;
    const QString trimmed = text->trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    return trimmed;
}

std::optional<QString> refreshRateText(const std::optional<qint64>& rate)
{
    if (!rate || *rate < 1)
        return std::nullopt;
    return QString::number(*rate) + QStringLiteral("Hz");
}

const QString separator = QStringLiteral(" \u00B7 ");

} // namespace

QMap<QString, QString> parseProfilerValues(const QString& text)
{
    QMap<QString, QString> values;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QString key = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        if (key.isEmpty() || value.isEmpty() || values.contains(key))
            continue;
        values.insert(key, value);
    }
    return values;
}

std::optional<qint64> intValue(const std::optional<QString>& text)
{
    if (!text)
        return std::nullopt;
    qsizetype n = 0;
    while (n < text->size() && text->at(n).isNumber())
        ++n;
    if (n == 0)
        return std::nullopt;
    const QStringView run = QStringView(*text).left(n);
    for (QChar c : run) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return wholeNumber(run);
}

QString operatingSystemVersionText(int major, int minor, int patch)
{
    QString text = QStringLiteral("%1.%2").arg(major).arg(minor);
    if (patch >= 1)
        text += QStringLiteral(".%1").arg(patch);
    return text;
}

std::optional<QString> chipDescription()
{
    const auto src = source();
    if (const auto brand = nonEmptyTrimmed(src->cpuBrand()))
        return brand;
    const auto machine = src->machineName();
    if (!machine || machine->isEmpty())
        return std::nullopt;
    if (machine->contains(QLatin1String("arm64")))
        return QStringLiteral("Apple Silicon");
    return machine;
}

LocalSystemOverview makeSystemOverview()
{
    const auto src = source();
    const HardwareReading hardware = src->hardware();
    const OSVersionReading os = src->osVersion();
    LocalSystemOverview overview;
    overview.osVersion = os.version;
    overview.osName = os.productName.isEmpty() ? std::nullopt : std::optional(os.productName);
    overview.modelName = hardware.modelName;
    overview.modelIdentifier = hardware.modelIdentifier;
    overview.chipName = hardware.chip ? hardware.chip
        : hardware.chipsetModel       ? hardware.chipsetModel
                                      : chipDescription();
    overview.gpuCoreCount = hardware.gpuCoreCount;
    overview.displayRefreshRate = hardware.displayRefreshRate;
    overview.gpuName = hardware.gpuName;
    overview.graphicsOnChip = hardware.graphicsOnChip;
    return overview;
}

std::optional<QString> gigabyteText(std::optional<qint64> bytes)
{
    if (!bytes || *bytes < 1)
        return std::nullopt;
    return QString::asprintf("%.1f GB", static_cast<double>(*bytes) / 1073741824.0);
}

std::optional<QString> chipText(const LocalSystemOverview& overview)
{
    std::optional<QString> chip = nonEmptyTrimmed(overview.chipName);
    if (!chip)
        chip = nonEmptyTrimmed(chipDescription());
    if (!chip)
        return std::nullopt;
    if (overview.gpuCoreCount && *overview.gpuCoreCount >= 1)
        return *chip + QStringLiteral(", ") + QString::number(*overview.gpuCoreCount) + QStringLiteral("GPU");
    return chip;
}

std::optional<QString> capacityText(const std::optional<SystemReport::Memory>& memory,
                                    const std::optional<SystemReport::Disk>& disk)
{
    std::optional<qint64> memoryBytes = memory ? memory->total : std::nullopt;
    if (!memoryBytes)
        memoryBytes = source()->physicalMemory();
    const auto memoryText = gigabyteText(memoryBytes);
    const auto diskText = gigabyteText(disk ? disk->total : std::nullopt);
    if (memoryText && diskText)
        return *memoryText + QLatin1Char('/') + *diskText;
    return memoryText ? memoryText : diskText;
}

std::optional<QString> osText(const LocalSystemOverview& overview)
{
    const auto version = nonEmptyTrimmed(overview.osVersion);
    if (!version)
        return std::nullopt;
    return overview.osName.value_or(QStringLiteral("macOS")) + QLatin1Char(' ') + *version;
}

QString decoratedHost(const QString& base, const std::optional<SystemReport::Memory>& memory,
                      const std::optional<SystemReport::Disk>& disk, const std::optional<LocalSystemOverview>& given)
{
    if (base.contains(separator))
        return base;
    const LocalSystemOverview overview = given ? *given : cachedOverview();
    QStringList parts;
    if (auto name = nonEmptyTrimmed(overview.modelName))
        parts.append(*name);
    else if (auto trimmedBase = nonEmptyTrimmed(base))
        parts.append(*trimmedBase);
    for (const auto& piece : {chipText(overview), capacityText(memory, disk),
                              refreshRateText(overview.displayRefreshRate), osText(overview)}) {
        if (piece)
            parts.append(*piece);
    }
    if (parts.isEmpty())
        return base;
    return parts.join(separator);
}

SystemReport::Hardware hardwareSnapshot(const LocalSystemOverview& overview, const SystemReport::Memory& memory,
                                        const SystemReport::Disk& disk)
{
    SystemReport::Hardware hardware;
    hardware.model = overview.modelName ? overview.modelName : overview.modelIdentifier;
    hardware.cpuModel = overview.chipName ? overview.chipName : chipDescription();
    hardware.totalRAM = gigabyteText(memory.total);
    hardware.diskSize = gigabyteText(disk.total);
    hardware.osVersion = osText(overview);
    hardware.refreshRate = refreshRateText(overview.displayRefreshRate);
    return hardware;
}

QList<SystemReport::GPU> gpuSnapshot(const LocalSystemOverview& overview)
{
    SystemReport::GPU gpu;
    gpu.coreCount = overview.gpuCoreCount;
    if (!overview.graphicsOnChip) {
        // The processor is no graphics chip here: only a graphics adapter of its own is listed.
        if (!overview.gpuName)
            return {};
        gpu.name = overview.gpuName;
        return {gpu};
    }
    if (!overview.chipName && !overview.gpuCoreCount)
        return {};
    if (overview.chipName)
        gpu.name = *overview.chipName + QStringLiteral(" GPU");
    return {gpu};
}

QString uptimeText(double seconds)
{
    const qint64 minutes = std::isfinite(seconds) ? static_cast<qint64>(seconds / 60.0) : 0;
    QString english;
    QString chinese;
    if (minutes < 60) {
        english = QStringLiteral("%1m").arg(minutes);
        chinese = QStringLiteral("%1 分钟").arg(minutes);
    } else if (minutes < 1440) {
        english = QStringLiteral("%1h %2m").arg(minutes / 60).arg(minutes % 60);
        chinese = QStringLiteral("%1 小时 %2 分钟").arg(minutes / 60).arg(minutes % 60);
    } else {
        english = QStringLiteral("%1d %2h").arg(minutes / 1440).arg((minutes % 1440) / 60);
        chinese = QStringLiteral("%1 天 %2 小时").arg(minutes / 1440).arg((minutes % 1440) / 60);
    }
    return AppLocalization::coreText(chinese, english);
}

} // namespace roror::LocalSystemStatus
