#include "core/status/LocalSystemStatus.h"

#include "core/model/AppLocalization.h"
#include "core/status/LocalSystemStatusState.h"
#include "platform/ToolRunner.h"

#include <QDateTime>
#include <QStringDecoder>
#include <charconv>
#include <chrono>
#include <cmath>
#include <thread>

namespace roror::LocalSystemStatus {

namespace detail {

namespace {

struct Hooks {
    std::mutex lock;
    std::function<double()> wallClock;
    std::function<void(int)> sleep;
};

Hooks& hooks()
{
    static Hooks h;
    return h;
}

struct OnceValues {
    std::mutex overviewLock;
    std::optional<LocalSystemOverview> overview;
    std::mutex batteryLock;
    std::optional<BatteryDetails> battery;
};

OnceValues& onceValues()
{
    static OnceValues values;
    return values;
}

} // namespace

std::shared_ptr<StatusSource> source()
{
    return StatusSource::current();
}

double wallClock()
{
    std::function<double()> clock;
    {
        std::lock_guard lock(hooks().lock);
        clock = hooks().wallClock;
    }
    if (clock)
        return clock();
    return static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
}

void sleepFor(int milliseconds)
{
    std::function<void(int)> sleep;
    {
        std::lock_guard lock(hooks().lock);
        sleep = hooks().sleep;
    }
    if (sleep)
        sleep(milliseconds);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

NetworkState& networkState()
{
    static NetworkState state;
    return state;
}

DiskState& diskState()
{
    static DiskState state;
    return state;
}

DiskHistoryState& diskHistoryState()
{
    static DiskHistoryState state;
    return state;
}

NetworkHistoryState& networkHistoryState()
{
    static NetworkHistoryState state;
    return state;
}

TrashState& trashState()
{
    static TrashState state;
    return state;
}

LocalSystemOverview cachedOverview()
{
    auto& once = onceValues();
    std::lock_guard lock(once.overviewLock);
    if (!once.overview)
        once.overview = makeSystemOverview();
    return *once.overview;
}

BatteryDetails cachedBatteryDetails()
{
    auto& once = onceValues();
    std::lock_guard lock(once.batteryLock);
    if (!once.battery) {
        const BatteryFactsReading facts = source()->batteryFacts();
        once.battery = BatteryDetails{facts.health, facts.cycleCount, facts.capacity, facts.temperature};
    }
    return *once.battery;
}

void appendToHistory(QList<double>& history, double value)
{
    history.append(value);
    if (history.size() > historyLimit)
        history.remove(0, history.size() - historyLimit);
}

namespace {

// Plain ASCII text with an optional leading "+" dropped (a "-" stays for the parser).
std::optional<QByteArray> numberBytes(QStringView text, bool allowSign)
{
    for (QChar c : text) {
        if (c.unicode() > 0x7f)
            return std::nullopt;
    }
    QByteArray bytes = text.toLatin1();
    if (allowSign && bytes.startsWith('+'))
        bytes.remove(0, 1);
    if (bytes.isEmpty() || bytes.startsWith('+') || (!allowSign && bytes.startsWith('-')))
        return std::nullopt;
    if (bytes.startsWith('-') && bytes.size() > 1 && (bytes[1] == '+' || bytes[1] == '-'))
        return std::nullopt;
    return bytes;
}

template <typename T>
std::optional<T> parseWhole(const std::optional<QByteArray>& bytes)
{
    if (!bytes)
        return std::nullopt;
    T value{};
    const char* first = bytes->constData();
    const char* last = first + bytes->size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<qint64> wholeNumber(QStringView text)
{
    return parseWhole<qint64>(numberBytes(text, true));
}

std::optional<quint64> unsignedNumber(QStringView text)
{
    return parseWhole<quint64>(numberBytes(text, false));
}

std::optional<double> decimalNumber(QStringView text)
{
    return parseWhole<double>(numberBytes(text, true));
}

} // namespace detail

using namespace detail;

// Command runner -----------------------------------------------------------------------------

std::optional<QString> runCommand(const QString& path, const QStringList& arguments, int timeoutMs)
{
    ToolRunOptions options;
    options.timeoutMs = timeoutMs;
    const ToolRunResult result = runTool(path, arguments, options);
    if (!result.started || result.timedOut || !result.exitedNormally || result.exitCode != 0)
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(result.standardOutput);
    if (decoder.hasError())
        return std::nullopt;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    return trimmed;
}

// Health score -------------------------------------------------------------------------------

qint64 healthScore(std::optional<double> cpu, std::optional<double> memory, std::optional<double> disk)
{
    auto term = [](std::optional<double> value) { return value && std::isfinite(*value) ? *value : 0.0; };
    double score = 100.0;
    score -= 0.15 * term(cpu);
    score -= 0.2 * term(memory);
    score -= 0.2 * term(disk);
    const double rounded = std::round(score); // halves away from zero
    if (!std::isfinite(rounded))
        return 0;
    return static_cast<qint64>(std::clamp(rounded, 0.0, 100.0));
}

QString healthScoreMessage(qint64 score)
{
    if (score >= 76)
        return QStringLiteral("Good");
    if (score >= 46)
        return QStringLiteral("Fair");
    return QStringLiteral("High Pressure");
}

// Snapshot -----------------------------------------------------------------------------------

SystemReport snapshot(const std::optional<ProcessList>& topProcesses)
{
    const SystemReport::Memory memory = memorySnapshot();
    const SystemReport::CPU cpu = cpuSnapshot();
    const QList<SystemReport::Disk> disks = diskSnapshots();
    const SystemReport::Disk primary = primaryDisk(disks);
    const ProcessList processes = topProcesses ? *topProcesses : processSnapshot();
    const QList<SystemReport::Network> network = networkSnapshot();
    const std::optional<SystemReport::Battery> battery = batterySnapshot();
    const std::optional<SystemReport::DiskIO> diskIO = diskIOSnapshot();
    const qint64 score = healthScore(cpu.usage, memory.usedPercent, primary.usedPercent);
    const LocalSystemOverview overview = cachedOverview();

    const auto src = source();
    const QString base
        = src->hostName().value_or(AppLocalization::coreText(QStringLiteral("这台 Mac"), QStringLiteral("This Mac")));
    // The uptime is kept as a whole count of seconds; a figure no such count can hold is none.
    std::optional<QString> uptimeString;
    std::optional<qint64> uptimeWhole;
    if (const std::optional<double> uptime = src->uptimeSeconds();
        uptime && *uptime >= 0 && *uptime < 9223372036854775807.0) {
        uptimeString = uptimeText(*uptime);
        uptimeWhole = static_cast<qint64>(*uptime);
    }
    const QString host = decoratedHost(base, memory, primary, overview);
    const OSVersionReading os = src->osVersion();
    QString platform = os.platformName;
    if (os.version)
        platform += QLatin1Char(' ') + *os.version;

    const SystemReport::Hardware hardware = hardwareSnapshot(overview, memory, primary);
    const QList<SystemReport::GPU> gpu = gpuSnapshot(overview);
    const std::optional<qint64> trash = trashSizeSnapshot();
    const std::optional<SystemReport::DiskIOHistory> diskHistory = diskIOHistorySnapshot(diskIO);
    const SystemReport::NetworkHistory networkHistory = networkHistorySnapshot(network);
    const std::optional<SystemReport::Proxy> proxy = proxySnapshot();
    QList<SystemReport::Battery> batteries;
    if (battery)
        batteries.append(*battery);

    std::optional<SystemReport::Thermal> thermal;
    if (const auto temperature = cachedBatteryDetails().temperature) {
        thermal = SystemReport::Thermal{};
        thermal->batteryTemp = temperature;
    }

    return SystemReport(host, platform, score, healthScoreMessage(score), uptimeString, uptimeWhole,
                        static_cast<qint64>(processes.size()), hardware, cpu, gpu, memory, disks, trash, false, diskIO,
                        diskHistory, network.isEmpty() ? std::nullopt : std::optional(network), networkHistory, proxy,
                        batteries, std::nullopt, thermal, processes.mid(0, 5));
}

LocalSystemOverview systemOverview()
{
    return cachedOverview();
}

// Tests --------------------------------------------------------------------------------------

void resetStateForTesting()
{
    {
        std::lock_guard lock(networkState().lock);
        networkState().lastSamples.clear();
    }
    {
        std::lock_guard lock(diskState().lock);
        diskState().lastSample.reset();
    }
    {
        std::lock_guard lock(diskHistoryState().lock);
        diskHistoryState().read.clear();
        diskHistoryState().write.clear();
    }
    {
        std::lock_guard lock(networkHistoryState().lock);
        networkHistoryState().rx.clear();
        networkHistoryState().tx.clear();
    }
    {
        std::lock_guard lock(trashState().lock);
        trashState().size.reset();
        trashState().date.reset();
    }
    auto& once = onceValues();
    {
        std::lock_guard lock(once.overviewLock);
        once.overview.reset();
    }
    {
        std::lock_guard lock(once.batteryLock);
        once.battery.reset();
    }
}

void setClockForTesting(std::function<double()> wallClock, std::function<void(int milliseconds)> sleep)
{
    std::lock_guard lock(hooks().lock);
    hooks().wallClock = std::move(wallClock);
    hooks().sleep = std::move(sleep);
}

} // namespace roror::LocalSystemStatus
