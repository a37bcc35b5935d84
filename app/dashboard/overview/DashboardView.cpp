#include "app/dashboard/overview/DashboardView.h"

#include "app/dashboard/DashboardText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace roror {

QString toRaw(ProcessUsageSort sort)
{
    return sort == ProcessUsageSort::memory ? QStringLiteral("memory") : QStringLiteral("cpu");
}

std::optional<ProcessUsageSort> processUsageSortFromRaw(const QString& raw)
{
    if (raw == QLatin1String("cpu"))
        return ProcessUsageSort::cpu;
    if (raw == QLatin1String("memory"))
        return ProcessUsageSort::memory;
    return std::nullopt;
}

namespace DashboardView {

using DashboardText::bytes;
using DashboardText::pick;
using Language = AppResolvedLanguage;

namespace {

const QString dot = QStringLiteral(" · ");
const QString slash = QStringLiteral(" / ");

bool nonEmpty(const std::optional<QString>& text)
{
    return text && !text->isEmpty();
}

// Descending by a figure, an absent one counting 0; one that is not a number never moves ahead.
QList<SystemReport::ProcessInfo> sortedDescending(QList<SystemReport::ProcessInfo> list,
                                                  std::optional<double> SystemReport::ProcessInfo::*field)
{
    const auto key = [field](const SystemReport::ProcessInfo& p) {
        const double v = (p.*field).value_or(0.0);
        return std::isnan(v) ? -std::numeric_limits<double>::infinity() : v;
    };
    std::stable_sort(list.begin(), list.end(), [&](const auto& a, const auto& b) { return key(a) > key(b); });
    return list;
}

const QList<SystemReport::ProcessInfo>& processSource(const QList<SystemReport::ProcessInfo>& processUsage,
                                                      const SystemReport& report)
{
    return processUsage.isEmpty() ? report.topProcesses : processUsage;
}

QString noDataText(Language language)
{
    return pick(language, QStringLiteral("没有数据"), QStringLiteral("No data"));
}

} // namespace

int gridColumnCount(double width)
{
    if (!(width > 0))
        return 1;
    const int columns = static_cast<int>(std::floor((width + gridSpacing) / (gridMinimumColumnWidth + gridSpacing)));
    return std::max(columns, 1);
}

QList<StatusCardData> statusCards(const std::optional<SystemReport>& report,
                                  const QList<SystemReport::ProcessInfo>& processUsage, Language language)
{
    if (!report)
        return {};
    QList<StatusCardData> cards{cpuCard(*report, language), memoryCard(*report, language)};
    if (auto gpu = gpuCard(*report, language))
        cards.append(*gpu);
    cards.append(diskCard(*report, language));
    cards.append(powerCard(*report, language));
    cards.append(networkCard(*report, language));
    cards.append(processCard(*report, processUsage, language));
    return cards;
}

StatusCardData cpuCard(const SystemReport& report, Language language)
{
    CPUVisualBody body;
    if (report.cpu) {
        body.usage = report.cpu->usage;
        body.cores = report.cpu->perCore.value_or(QList<double>());
        body.coresEstimated = report.cpu->perCoreEstimated.value_or(false);
    }
    body.loadText = loadText(report.cpu, language);
    body.columns = 4;
    body.language = language;
    return StatusCardData{QStringLiteral("CPU"), QStringLiteral("cpu"), {}, body};
}

QString loadText(const std::optional<SystemReport::CPU>& cpu, Language language)
{
    QList<double> figures;
    if (cpu) {
        for (const auto& load : {cpu->load1, cpu->load5, cpu->load15}) {
            if (load)
                figures.append(*load);
        }
        if (figures.isEmpty())
            figures = cpu->loadAverage.value_or(QList<double>());
    }
    QStringList loads;
    for (double figure : figures)
        loads.append(DashboardText::fixed(figure, 2));
    const QString loadPart = loads.join(slash);

    const QString unknownCores = pick(language, QStringLiteral("核心数未知"), QStringLiteral("Core count unknown"));
    QString corePart = unknownCores;
    if (cpu) {
        if (cpu->pCoreCount && cpu->eCoreCount && (*cpu->pCoreCount > 0 || *cpu->eCoreCount > 0))
            corePart = QString::number(*cpu->pCoreCount) + QStringLiteral("P+") + QString::number(*cpu->eCoreCount)
                + QLatin1Char('E');
        else if (cpu->logicalCPU)
            corePart = QString::number(*cpu->logicalCPU)
                + pick(language, QStringLiteral(" 个核心"), QStringLiteral(" cores"));
    }
    return loadPart.isEmpty() ? corePart : loadPart + QStringLiteral(", ") + corePart;
}

StatusCardData memoryCard(const SystemReport& report, Language language)
{
    MemoryVisualBody body;
    body.language = language;
    if (const auto& m = report.memory) {
        body.usedPercent = m->usedPercent.value_or(0.0);
        if (m->swapTotal && *m->swapTotal >= 1)
            body.swapPercent
                = static_cast<double>(m->swapUsed.value_or(0)) / static_cast<double>(*m->swapTotal) * 100.0;
        body.usedBytes = m->used;
        body.totalBytes = m->total;
        body.cachedBytes = m->cached;
        body.swapUsedBytes = m->swapUsed;
        body.swapTotalBytes = m->swapTotal;
        body.pressure = m->pressure;
        if (m->total && m->used)
            body.availBytes = std::max<qint64>(*m->total - *m->used, 0);
    }
    return StatusCardData{
        pick(language, QStringLiteral("内存"), QStringLiteral("Memory")), QStringLiteral("memorychip"), {}, body};
}

std::optional<StatusCardData> gpuCard(const SystemReport& report, Language language)
{
    if (report.gpu.isEmpty())
        return std::nullopt;
    const SystemReport::GPU& g = report.gpu.first();
    const auto positive = [](std::optional<double> v) { return v && *v > 0; };
    if (!g.usage && !positive(g.memoryUsed) && !positive(g.memoryTotal))
        return std::nullopt;
    GPUVisualBody body;
    body.name = g.name;
    body.usage = g.usage;
    body.memoryUsed = g.memoryUsed;
    body.memoryTotal = g.memoryTotal;
    body.coreCount = g.coreCount;
    body.note = g.note;
    body.temperature = report.thermal ? report.thermal->gpuTemp : std::nullopt;
    body.language = language;
    return StatusCardData{QStringLiteral("GPU"), QStringLiteral("cpu.fill"), {}, body};
}

StatusCardData diskCard(const SystemReport& report, Language language)
{
    QList<SystemReport::Disk> internal;
    QList<SystemReport::Disk> external;
    for (const SystemReport::Disk& disk : report.disks.value_or(QList<SystemReport::Disk>())) {
        if (disk.external.value_or(false))
            external.append(disk);
        else
            internal.append(disk);
    }
    const QList<DiskVisualBody::Item> items = mapDiskItems(QStringLiteral("INTR"), internal, language)
        + mapDiskItems(QStringLiteral("EXTR"), external, language);
    StatusCardData card{
        pick(language, QStringLiteral("磁盘"), QStringLiteral("Disk")), QStringLiteral("internaldrive"), {}, {}};
    if (items.isEmpty()) {
        card.rows.append({pick(language, QStringLiteral("磁盘"), QStringLiteral("Disk")), noDataText(language)});
        return card;
    }
    DiskVisualBody body;
    body.disks = items;
    if (report.diskIO) {
        body.readRate = report.diskIO->readRate;
        body.writeRate = report.diskIO->writeRate;
    }
    if (report.diskIOHistory) {
        body.readHistory = report.diskIOHistory->readHistory.value_or(QList<double>());
        body.writeHistory = report.diskIOHistory->writeHistory.value_or(QList<double>());
    }
    card.customBody = body;
    return card;
}

QList<DiskVisualBody::Item> mapDiskItems(const QString& prefix, const QList<SystemReport::Disk>& disks,
                                         Language language)
{
    QList<DiskVisualBody::Item> items;
    for (qsizetype i = 0; i < disks.size(); ++i) {
        const SystemReport::Disk& d = disks[i];
        DiskVisualBody::Item item;
        item.id = prefix + QLatin1Char('-') + QString::number(i) + QLatin1Char('-') + d.mount.value_or(QString());
        item.label = disks.size() < 2 ? prefix : prefix + QString::number(i + 1);
        if (nonEmpty(d.name) && d.name != d.mount)
            item.volumeName = d.name;
        item.usedText = bytes(d.used, language);
        item.freeText = (d.total && d.used) ? bytes(std::max<qint64>(*d.total - *d.used, 0), language)
                                            : DashboardText::unknown(language);
        if (d.total)
            item.totalText = bytes(d.total, language);
        item.deviceText = d.device;
        item.isExternal = d.external.value_or(false);
        item.percent = d.usedPercent;
        QStringList detail;
        if (nonEmpty(d.fstype))
            detail.append(d.fstype->toUpper());
        if (nonEmpty(d.mount))
            detail.append(*d.mount);
        if (!detail.isEmpty())
            item.detail = detail.join(dot);
        items.append(item);
    }
    return items;
}

StatusCardData powerCard(const SystemReport& report, Language language)
{
    const QString title = pick(language, QStringLiteral("电源"), QStringLiteral("Power"));
    if (report.batteries.isEmpty()) {
        StatusCardData card{title, QStringLiteral("battery.100percent"), {}, {}};
        card.rows.append({pick(language, QStringLiteral("状态"), QStringLiteral("Status")),
                          pick(language, QStringLiteral("没有电池"), QStringLiteral("No battery"))});
        return card;
    }
    const SystemReport::Battery& b = report.batteries.first();
    const std::optional<SystemReport::Thermal>& t = report.thermal;
    PowerVisualBody body;
    body.language = language;
    body.percent = b.percent;
    body.isCharging = b.charging.value_or(false);
    body.statusText = batteryStatusText(b, t, language);
    if (t) {
        body.adapterPower = t->adapterPower;
        body.systemPower = t->systemPower;
        body.batteryPower = t->batteryPower;
    }
    if (const auto health = batteryHealthText(b, language)) {
        if (b.capacity) {
            const qint64 capacity = *b.capacity;
            const ThemeTone tint = capacity < 60 ? ThemeTone::danger
                : capacity < 80                  ? ThemeTone::amber
                                                 : ThemeTone::success;
            body.chips.append(
                {QStringLiteral("heart.fill"), *health + dot + QString::number(capacity) + QLatin1Char('%'), tint});
        } else {
            body.chips.append({QStringLiteral("heart.fill"), *health, ThemeTone::muted});
        }
    }
    if (b.cycleCount)
        body.chips.append(
            {QStringLiteral("arrow.triangle.2.circlepath"),
             QString::number(*b.cycleCount) + pick(language, QStringLiteral(" 次"), QStringLiteral(" cycles")),
             ThemeTone::muted});
    if (t && t->batteryTemp && *t->batteryTemp > 0)
        body.chips.append({QStringLiteral("thermometer.medium"),
                           DashboardText::fixed(*t->batteryTemp, 1) + QStringLiteral("°C"), ThemeTone::muted});
    if (t && t->fanSpeed && *t->fanSpeed > 0)
        body.chips.append(
            {QStringLiteral("fan"), QString::number(*t->fanSpeed) + QStringLiteral(" RPM"), ThemeTone::muted});
    return StatusCardData{title, QStringLiteral("bolt.batteryblock"), {}, body};
}

std::optional<QString> batteryHealthText(const SystemReport::Battery& battery, Language language)
{
    if (!battery.capacity)
        return battery.health;
    if (*battery.capacity < 70)
        return pick(language, QStringLiteral("较差"), QStringLiteral("Poor"));
    if (*battery.capacity < 85)
        return pick(language, QStringLiteral("一般"), QStringLiteral("Fair"));
    return pick(language, QStringLiteral("良好"), QStringLiteral("Good"));
}

QString batteryStatusText(const SystemReport::Battery& battery, const std::optional<SystemReport::Thermal>& thermal,
                          Language language)
{
    QStringList parts;
    if (nonEmpty(battery.status))
        parts.append(*battery.status);
    else if (battery.charging.value_or(false))
        parts.append(pick(language, QStringLiteral("充电中"), QStringLiteral("Charging")));
    if (nonEmpty(battery.timeLeft))
        parts.append(*battery.timeLeft);
    if (thermal && thermal->systemPower && *thermal->systemPower > 0)
        parts.append(DashboardText::fixed(*thermal->systemPower, 1) + QLatin1Char('W'));
    return parts.isEmpty() ? DashboardText::unknown(language) : parts.join(dot);
}

StatusCardData networkCard(const SystemReport& report, Language language)
{
    const QList<SystemReport::Network> interfaces = report.network.value_or(QList<SystemReport::Network>());
    NetworkVisualBody body;
    for (const SystemReport::Network& n : interfaces) {
        body.downRate += n.rxRateMBs ? *n.rxRateMBs : n.down.value_or(0.0);
        body.upRate += n.txRateMBs ? *n.txRateMBs : n.up.value_or(0.0);
    }
    if (report.networkHistory) {
        body.rxHistory = report.networkHistory->rxHistory.value_or(QList<double>());
        body.txHistory = report.networkHistory->txHistory.value_or(QList<double>());
    }
    StatusCardData card{
        pick(language, QStringLiteral("网络"), QStringLiteral("Network")), QStringLiteral("network"), {}, body};
    if (const auto proxy = proxyText(report); nonEmpty(proxy))
        card.rows.append({QStringLiteral("Proxy"), *proxy});
    for (const SystemReport::Network& n : interfaces) {
        if (nonEmpty(n.ip)) {
            card.rows.append({n.name.value_or(QStringLiteral("IP")), *n.ip});
            break;
        }
    }
    return card;
}

std::optional<QString> proxyText(const SystemReport& report)
{
    if (!report.proxy || !report.proxy->enabled.value_or(false))
        return std::nullopt;
    QStringList parts;
    if (nonEmpty(report.proxy->type))
        parts.append(*report.proxy->type);
    if (nonEmpty(report.proxy->host))
        parts.append(*report.proxy->host);
    return parts.join(dot);
}

StatusCardData processCard(const SystemReport& report, const QList<SystemReport::ProcessInfo>& processUsage,
                           Language language)
{
    StatusCardData card{pick(language, QStringLiteral("进程"), QStringLiteral("Processes")),
                        QStringLiteral("list.bullet.rectangle"),
                        {},
                        {}};
    QList<StatusCardRowData> rows;
    if (report.procs)
        rows.append({pick(language, QStringLiteral("总数"), QStringLiteral("Total")), QString::number(*report.procs)});
    const QList<SystemReport::ProcessInfo> top
        = sortedDescending(processSource(processUsage, report), &SystemReport::ProcessInfo::cpu).mid(0, 3);
    for (const SystemReport::ProcessInfo& p : top)
        rows.append({p.name.value_or(pick(language, QStringLiteral("进程"), QStringLiteral("Process"))),
                     DashboardText::percent(p.cpu, language), p.cpu});
    if (rows.isEmpty()) {
        card.rows.append({pick(language, QStringLiteral("状态"), QStringLiteral("Status")), noDataText(language)});
        return card;
    }
    ProcessVisualBody body;
    for (const StatusCardRowData& row : rows) {
        if (row.percent)
            body.rows.append(row);
        else
            card.rows.append(row);
    }
    card.customBody = body;
    return card;
}

std::optional<QString> hardwareChipText(const SystemReport& report)
{
    if (!report.hardware || !nonEmpty(report.hardware->cpuModel))
        return std::nullopt;
    const QString& cpuModel = *report.hardware->cpuModel;
    if (!report.gpu.isEmpty() && report.gpu.first().coreCount && *report.gpu.first().coreCount >= 1)
        return cpuModel + QStringLiteral(", ") + QString::number(*report.gpu.first().coreCount) + QStringLiteral("GPU");
    return cpuModel;
}

QString hostSummary(const std::optional<SystemReport>& report, Language language, const QString& localHostName)
{
    const QString thisMac = pick(language, QStringLiteral("这台 Mac"), QStringLiteral("This Mac"));
    if (!report)
        return localHostName.isEmpty() ? thisMac : localHostName;
    const std::optional<SystemReport::Hardware>& hw = report->hardware;
    QStringList parts;
    if (hw && hw->model)
        parts.append(*hw->model);
    else if (report->host)
        // The probes may already have decorated the host with the chip, sizes and system that
        // follow here; only its own name is taken, so the line does not say them twice.
        parts.append(report->host->section(dot, 0, 0));
    else
        parts.append(thisMac);
    if (const auto chip = hardwareChipText(*report))
        parts.append(*chip);

    const QString unknown = DashboardText::unknown(language);
    QString memoryText;
    if (hw && hw->totalRAM)
        memoryText = *hw->totalRAM;
    else
        memoryText = bytes(report->memory ? report->memory->total : std::nullopt, language);
    QString diskText;
    if (hw && hw->diskSize)
        diskText = *hw->diskSize;
    else if (report->disks && !report->disks->isEmpty())
        diskText = bytes(report->disks->first().total, language);
    else
        diskText = unknown;
    if (!(memoryText == unknown && diskText == unknown))
        parts.append(memoryText + slash + diskText);
    if (hw && nonEmpty(hw->osVersion))
        parts.append(*hw->osVersion);
    return parts.join(dot);
}

std::optional<QString> availableDiskText(const std::optional<SystemReport>& report, Language language)
{
    if (!report || !report->disks || report->disks->isEmpty())
        return std::nullopt;
    const SystemReport::Disk& first = report->disks->first();
    if (!first.total || !first.used)
        return std::nullopt;
    return pick(language, QStringLiteral("可用 "), QStringLiteral("Available "))
        + bytes(std::max<qint64>(*first.total - *first.used, 0), language);
}

QList<SystemReport::ProcessInfo> processRows(const QList<SystemReport::ProcessInfo>& processUsage,
                                             const std::optional<SystemReport>& report, ProcessUsageSort sort)
{
    QList<SystemReport::ProcessInfo> source = processUsage;
    if (source.isEmpty() && report)
        source = report->topProcesses;
    return sortedDescending(
        source, sort == ProcessUsageSort::cpu ? &SystemReport::ProcessInfo::cpu : &SystemReport::ProcessInfo::memory);
}

QString forceQuitMessage(const std::optional<QString>& name, Language language)
{
    const QString shown = name ? *name : pick(language, QStringLiteral("这个进程"), QStringLiteral("this process"));
    if (language == Language::chinese)
        return QStringLiteral("将立即结束 ") + shown + QStringLiteral("。未保存的内容会丢失。");
    return shown + QStringLiteral(" will be ended immediately. Any unsaved work will be lost.");
}

} // namespace DashboardView

} // namespace roror
