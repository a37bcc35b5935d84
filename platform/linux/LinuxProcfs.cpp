#include "platform/linux/LinuxProcfs.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace roror::LinuxProcfs {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

// Calls `line` for each line of `text`, without the newline.
template <typename F>
void forEachLine(std::string_view text, F&& line)
{
    while (!text.empty()) {
        const size_t end = text.find('\n');
        line(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

// Splits at runs of blanks.
class Words {
public:
    explicit Words(std::string_view text)
        : m_rest(text)
    {
    }
    std::optional<std::string_view> next()
    {
        while (!m_rest.empty() && isSpace(m_rest.front()))
            m_rest.remove_prefix(1);
        if (m_rest.empty())
            return std::nullopt;
        size_t n = 0;
        while (n < m_rest.size() && !isSpace(m_rest[n]))
            ++n;
        const std::string_view word = m_rest.substr(0, n);
        m_rest.remove_prefix(n);
        return word;
    }

private:
    std::string_view m_rest;
};

template <typename T>
std::optional<T> number(std::string_view word)
{
    T value{};
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

std::optional<double> decimal(std::string_view word)
{
    // from_chars for double is locale-free and exact about the whole word; it also reads "inf"
    // and "nan", which no counter of these files is.
    const auto value = number<double>(word);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

QString qstr(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString decodeOctalEscapes(std::string_view s)
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(s.size()));
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size()) {
            const std::string_view digits = s.substr(i + 1, 3);
            bool octal = digits.size() == 3;
            for (char c : digits)
                octal = octal && c >= '0' && c <= '7';
            if (octal) {
                out.append(static_cast<char>(((digits[0] - '0') << 6) | ((digits[1] - '0') << 3) | (digits[2] - '0')));
                i += 3;
                continue;
            }
        }
        out.append(s[i]);
    }
    return QString::fromUtf8(out);
}

} // namespace

std::optional<QList<CPUTickReading>> parseProcStat(std::string_view text)
{
    QList<CPUTickReading> cores;
    forEachLine(text, [&](std::string_view line) {
        if (line.size() < 4 || line.substr(0, 3) != "cpu" || line[3] < '0' || line[3] > '9')
            return;
        Words words(line);
        words.next(); // cpuN
        quint64 v[8] = {};
        int n = 0;
        while (n < 8) {
            const auto word = words.next();
            if (!word)
                break;
            const auto value = number<quint64>(*word);
            if (!value)
                return;
            v[n++] = *value;
        }
        if (n < 4)
            return;
        // user nice system idle iowait irq softirq steal
        cores.append(
            CPUTickReading{.user = v[0], .system = v[2] + v[5] + v[6] + v[7], .idle = v[3] + v[4], .nice = v[1]});
    });
    if (cores.isEmpty())
        return std::nullopt;
    return cores;
}

MemoryReading parseMeminfo(std::string_view text)
{
    // Sizes in kB. A negative figure, or one whose byte count would not fit in 64 bits, is no
    // reading, and the figures built from several fields are absent when their sum would overflow.
    constexpr qint64 maxKB = std::numeric_limits<qint64>::max() / 1024;
    QHash<QByteArray, qint64> kb;
    forEachLine(text, [&](std::string_view line) {
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            return;
        Words words(line.substr(colon + 1));
        const auto value = words.next();
        if (!value)
            return;
        const QByteArray key(line.data(), static_cast<qsizetype>(colon));
        const auto n = number<qint64>(*value);
        if (n && *n >= 0 && *n <= maxKB)
            kb.insert(key, *n);
        else
            kb.remove(key); // a later bad line of the same name spoils an earlier good one
    });
    auto bytes = [&](const char* key) -> std::optional<qint64> {
        const auto it = kb.constFind(QByteArray(key));
        if (it == kb.constEnd())
            return std::nullopt;
        return *it * 1024;
    };
    auto sum = [](std::initializer_list<qint64> parts) -> std::optional<qint64> {
        qint64 total = 0;
        for (qint64 part : parts) {
            if (__builtin_add_overflow(total, part, &total))
                return std::nullopt;
        }
        return total;
    };
    MemoryReading m;
    m.total = bytes("MemTotal");
    if (const auto available = bytes("MemAvailable"); m.total && available)
        m.used = std::max<qint64>(0, *m.total - *available);
    if (const auto cached = bytes("Cached"))
        m.cached = sum({*cached, bytes("Buffers").value_or(0), bytes("SReclaimable").value_or(0)});
    m.swapTotal = bytes("SwapTotal");
    if (const auto free = bytes("SwapFree"); m.swapTotal && free)
        m.swapUsed = std::max<qint64>(0, *m.swapTotal - *free);
    return m;
}

QList<MountEntry> parseProcMounts(std::string_view text)
{
    QList<MountEntry> entries;
    forEachLine(text, [&](std::string_view line) {
        Words words(line);
        const auto device = words.next();
        const auto mount = words.next();
        const auto fstype = words.next();
        const auto options = words.next();
        if (!device || !mount || !fstype)
            return;
        entries.append(MountEntry{decodeOctalEscapes(*device), decodeOctalEscapes(*mount), qstr(*fstype),
                                  options ? qstr(*options) : QString()});
    });
    return entries;
}

QHash<QString, DiskByteReading> parseDiskstats(std::string_view text)
{
    QHash<QString, DiskByteReading> disks;
    forEachLine(text, [&](std::string_view line) {
        Words words(line);
        std::string_view w[10];
        for (auto& word : w) {
            const auto next = words.next();
            if (!next)
                return;
            word = *next;
        }
        const auto read = number<quint64>(w[5]);
        const auto written = number<quint64>(w[9]);
        if (!read || !written)
            return;
        disks.insert(qstr(w[2]), DiskByteReading{*read * 512, *written * 512});
    });
    return disks;
}

QMap<QString, QString> parseOsRelease(std::string_view text)
{
    QMap<QString, QString> values;
    forEachLine(text, [&](std::string_view raw) {
        const std::string_view line = trimmed(raw);
        if (line.empty() || line.front() == '#')
            return;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0)
            return;
        std::string_view value = line.substr(eq + 1);
        QByteArray out;
        if (!value.empty() && (value.front() == '"' || value.front() == '\'')) {
            const char quote = value.front();
            value.remove_prefix(1);
            for (size_t i = 0; i < value.size() && value[i] != quote; ++i) {
                if (value[i] == '\\' && quote == '"' && i + 1 < value.size())
                    ++i;
                out.append(value[i]);
            }
        } else {
            out = QByteArray(value.data(), static_cast<qsizetype>(value.size()));
        }
        values.insert(qstr(line.substr(0, eq)), QString::fromUtf8(out));
    });
    return values;
}

std::optional<QSet<int>> parseCPUList(std::string_view text)
{
    text = trimmed(text);
    QSet<int> cpus;
    if (text.empty())
        return cpus;
    qint64 listed = 0;
    while (!text.empty()) {
        const size_t comma = text.find(',');
        const std::string_view part = text.substr(0, comma);
        const size_t dash = part.find('-');
        const auto first = number<int>(part.substr(0, dash));
        const auto last = dash == std::string_view::npos ? first : number<int>(part.substr(dash + 1));
        if (!first || !last || *first < 0 || *last < *first || *last > maxCPUNumber)
            return std::nullopt;
        // Ranges that repeat the same CPUs over and over are no kernel list either.
        listed += *last - *first + 1;
        if (listed > maxCPUNumber + 1)
            return std::nullopt;
        for (int c = *first; c <= *last; ++c)
            cpus.insert(c);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return cpus;
}

std::optional<QString> parseCpuinfoModelName(std::string_view text)
{
    std::optional<QString> found;
    forEachLine(text, [&](std::string_view line) {
        if (found)
            return;
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos || trimmed(line.substr(0, colon)) != "model name")
            return;
        const std::string_view value = trimmed(line.substr(colon + 1));
        if (!value.empty())
            found = qstr(value);
    });
    return found;
}

std::optional<double> parseUptime(std::string_view text)
{
    Words words(text);
    const auto first = words.next();
    if (!first)
        return std::nullopt;
    const auto value = decimal(*first);
    // The snapshot keeps the uptime as a whole count of seconds.
    if (!value || *value < 0 || *value >= maxUptimeSeconds)
        return std::nullopt;
    return value;
}

QList<double> parseLoadavg(std::string_view text)
{
    QList<double> loads;
    Words words(text);
    for (int i = 0; i < 3; ++i) {
        const auto word = words.next();
        const auto value = word ? decimal(*word) : std::nullopt;
        if (!value)
            break;
        loads.append(*value);
    }
    return loads;
}

std::optional<ProcessStat> parseProcessStat(std::string_view text)
{
    const size_t open = text.find('(');
    const size_t close = text.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return std::nullopt;
    ProcessStat stat;
    const auto pid = number<qint64>(trimmed(text.substr(0, open)));
    if (!pid)
        return std::nullopt;
    stat.pid = *pid;
    stat.comm = qstr(text.substr(open + 1, close - open - 1));
    // Fields after the name, numbered as in proc(5): 3 state, 4 ppid, 9 flags, 14 utime, 15 stime,
    // 22 starttime, 24 rss (the resident pages statm also shows).
    Words words(text.substr(close + 1));
    int field = 3;
    for (auto word = words.next(); word && field <= 24; word = words.next(), ++field) {
        switch (field) {
        case 3:
            stat.state = word->empty() ? '?' : word->front();
            break;
        case 4:
            if (const auto v = number<qint64>(*word))
                stat.ppid = *v;
            else
                return std::nullopt;
            break;
        case 9:
            stat.flags = number<unsigned>(*word).value_or(0);
            break;
        case 14:
        case 15:
        case 22: {
            const auto v = number<quint64>(*word);
            if (!v)
                return std::nullopt;
            (field == 14 ? stat.utime : field == 15 ? stat.stime : stat.startTime) = *v;
            break;
        }
        case 24:
            stat.residentPages = number<quint64>(*word).value_or(0);
            break;
        default:
            break;
        }
    }
    if (field <= 22)
        return std::nullopt;
    return stat;
}

namespace {

QString firstArgument(const QByteArray& cmdline)
{
    const qsizetype end = cmdline.indexOf('\0');
    return QString::fromUtf8(end < 0 ? cmdline : cmdline.left(end)).trimmed();
}

} // namespace

QString processCommand(const QByteArray& cmdline, const QString& comm)
{
    const QString first = firstArgument(cmdline);
    return first.isEmpty() ? comm : first;
}

QString processName(const QByteArray& cmdline, const QString& comm)
{
    QString first = firstArgument(cmdline);
    while (first.size() > 1 && first.endsWith(QLatin1Char('/')))
        first.chop(1);
    const QString last = first.mid(first.lastIndexOf(QLatin1Char('/')) + 1);
    if (!last.isEmpty() && !comm.isEmpty() && (last == comm || (comm.size() >= 15 && last.startsWith(comm))))
        return last;
    return comm.isEmpty() ? (last.isEmpty() ? first : last) : comm;
}

std::optional<qint64> parseCounter(std::string_view text)
{
    const auto value = number<qint64>(trimmed(text));
    if (!value || *value < 0)
        return std::nullopt;
    return value;
}

QString hoursMinutes(double seconds)
{
    const qint64 minutes = static_cast<qint64>(seconds / 60.0);
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

BatteryReading batteryReading(const BatteryFiles& files)
{
    // Energy (µWh, µW) or charge (µAh, µA), whichever the driver reports.
    auto now = files.energyNow;
    auto full = files.energyFull;
    auto rate = files.powerNow;
    if (!now || !full) {
        now = files.chargeNow;
        full = files.chargeFull;
        rate = files.currentNow;
    }

    BatteryReading reading;
    if (files.capacity)
        reading.percent = static_cast<double>(std::min<qint64>(*files.capacity, 100));
    else if (now && full && *full > 0)
        reading.percent = std::clamp(100.0 * static_cast<double>(*now) / static_cast<double>(*full), 0.0, 100.0);

    // The kernel's words, in the vocabulary of the power tool's battery line.
    if (files.status) {
        const QString lower = files.status->toLower();
        reading.status = lower == QLatin1String("full") ? QStringLiteral("charged") : lower;
    }

    std::optional<double> seconds;
    if (files.timeToEmpty && *files.timeToEmpty > 0 && reading.status == QStringLiteral("discharging"))
        seconds = static_cast<double>(*files.timeToEmpty);
    else if (files.timeToFull && *files.timeToFull > 0 && reading.status == QStringLiteral("charging"))
        seconds = static_cast<double>(*files.timeToFull);
    else if (now && full && rate && *rate > 0) {
        const double r = static_cast<double>(*rate);
        if (reading.status == QStringLiteral("discharging"))
            seconds = static_cast<double>(*now) / r * 3600.0;
        else if (reading.status == QStringLiteral("charging") && *full >= *now)
            seconds = static_cast<double>(*full - *now) / r * 3600.0;
    }
    // A driver's rate near zero gives times no battery lasts; such an estimate is no estimate.
    if (seconds && std::isfinite(*seconds) && *seconds >= 0 && *seconds <= maxBatterySeconds)
        reading.timeLeft = hoursMinutes(*seconds);
    return reading;
}

std::optional<qint64> batteryCapacityPercent(std::optional<qint64> full, std::optional<qint64> design)
{
    if (!full || !design || *full < 0 || *design <= 0)
        return std::nullopt;
    const double percent = 100.0 * static_cast<double>(*full) / static_cast<double>(*design);
    // A worn battery holds less than it was made for, a new one a little more; far more is a
    // driver's wrong figure, not a capacity.
    if (!std::isfinite(percent) || percent > maxBatteryCapacityPercent)
        return std::nullopt;
    return std::llround(percent);
}

QString decodeUdevEscapes(const QString& name)
{
    QByteArray in = name.toUtf8();
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size() && in[i + 1] == 'x') {
            bool ok = false;
            const int value = in.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out.append(static_cast<char>(value));
                i += 3;
                continue;
            }
        }
        out.append(in[i]);
    }
    return QString::fromUtf8(out);
}

} // namespace roror::LinuxProcfs
