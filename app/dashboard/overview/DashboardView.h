#pragma once

#include "app/dashboard/cards/StatusCardData.h"
#include "core/model/AppLocalization.h"
#include "core/model/SystemReport.h"

#include <QList>
#include <QString>
#include <optional>

namespace roror {

// The process list's sort key.
enum class ProcessUsageSort { cpu, memory };

QString toRaw(ProcessUsageSort sort);
std::optional<ProcessUsageSort> processUsageSortFromRaw(const QString& raw);

// What the Overview page derives from a snapshot: the status cards, the hero card's texts, the
// sorted process rows and the force-quit question. Pure functions of their arguments, built anew
// on every refresh and every change of language.
namespace DashboardView {

inline constexpr double gridMinimumColumnWidth = 248;
inline constexpr double gridSpacing = 12;

// Columns of at least 248 points with 12 between them; at least one.
int gridColumnCount(double width);

// CPU, Memory, GPU (when there is one to show), Disk, Power, Network, Processes; none without a
// report. `processUsage` is the model's process list, first source of the processes card.
QList<StatusCardData> statusCards(const std::optional<SystemReport>& report,
                                  const QList<SystemReport::ProcessInfo>& processUsage, AppResolvedLanguage language);

StatusCardData cpuCard(const SystemReport& report, AppResolvedLanguage language);
StatusCardData memoryCard(const SystemReport& report, AppResolvedLanguage language);
std::optional<StatusCardData> gpuCard(const SystemReport& report, AppResolvedLanguage language);
StatusCardData diskCard(const SystemReport& report, AppResolvedLanguage language);
StatusCardData powerCard(const SystemReport& report, AppResolvedLanguage language);
StatusCardData networkCard(const SystemReport& report, AppResolvedLanguage language);
StatusCardData processCard(const SystemReport& report, const QList<SystemReport::ProcessInfo>& processUsage,
                           AppResolvedLanguage language);

QString loadText(const std::optional<SystemReport::CPU>& cpu, AppResolvedLanguage language);
QList<DiskVisualBody::Item> mapDiskItems(const QString& prefix, const QList<SystemReport::Disk>& disks,
                                         AppResolvedLanguage language);
std::optional<QString> batteryHealthText(const SystemReport::Battery& battery, AppResolvedLanguage language);
QString batteryStatusText(const SystemReport::Battery& battery, const std::optional<SystemReport::Thermal>& thermal,
                          AppResolvedLanguage language);
std::optional<QString> proxyText(const SystemReport& report);
std::optional<QString> hardwareChipText(const SystemReport& report);

// The hero card's host line. Without a report: the computer's own name (`localHostName`), else
// "这台 Mac" / "This Mac". A host name the probes decorated ("name · chip · sizes · system") is
// taken up to its first " · ".
QString hostSummary(const std::optional<SystemReport>& report, AppResolvedLanguage language,
                    const QString& localHostName);
// "可用 " / "Available " and the first disk's free space; absent without one.
std::optional<QString> availableDiskText(const std::optional<SystemReport>& report, AppResolvedLanguage language);

// The model's process list when it has rows, else the report's top processes; sorted descending
// by the chosen figure (absent counts 0), stable for equal figures.
QList<SystemReport::ProcessInfo> processRows(const QList<SystemReport::ProcessInfo>& processUsage,
                                             const std::optional<SystemReport>& report, ProcessUsageSort sort);

// The force-quit confirmation's message about this process.
QString forceQuitMessage(const std::optional<QString>& name, AppResolvedLanguage language);

} // namespace DashboardView

} // namespace roror
