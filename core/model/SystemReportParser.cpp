#include "core/model/SystemReportParser.h"

#include "core/model/StrictJson.h"

#include <QStringDecoder>

namespace roror::SystemReportParser {

Error::Error(QString keyPath, QString reason)
    : m_keyPath(std::move(keyPath))
    , m_reason(std::move(reason))
    , m_what(message().toUtf8())
{
}

QString Error::message() const
{
    if (m_keyPath.isEmpty())
        return m_reason;
    return m_keyPath + QStringLiteral(": ") + m_reason;
}

namespace {

using strictJson::Value;
using Kind = strictJson::Value::Kind;

QString childPath(const QString& parent, QLatin1StringView key)
{
    return parent.isEmpty() ? QString(key) : parent + QLatin1Char('.') + key;
}

QString elementPath(const QString& parent, qsizetype index)
{
    return parent + QLatin1Char('[') + QString::number(index) + QLatin1Char(']');
}

QString describe(const Value* value)
{
    if (!value)
        return QStringLiteral("nothing");
    switch (value->kind) {
    case Kind::Null:
        return QStringLiteral("null");
    case Kind::Bool:
        return QStringLiteral("a boolean");
    case Kind::Number:
        return QStringLiteral("the number ") + QString::number(value->number, 'g', 17);
    case Kind::String:
        return QStringLiteral("a string");
    case Kind::Array:
        return QStringLiteral("an array");
    case Kind::Object:
        return QStringLiteral("an object");
    }
    return QString();
}

[[noreturn]] void mismatch(const QString& path, const char* expected, const Value& found)
{
    throw Error(path, QStringLiteral("expected %1, found %2").arg(QLatin1String(expected), describe(&found)));
}

bool absent(const Value* value)
{
    return !value || value->kind == Kind::Null;
}

// Each kind reads one present value or throws at `path`.

QString textValue(const Value& value, const QString& path)
{
    if (value.kind != Kind::String)
        mismatch(path, "a string", value);
    return value.string;
}

qint64 integerValue(const Value& value, const QString& path)
{
    if (value.kind != Kind::Number)
        mismatch(path, "an integer", value);
    if (!value.integer) {
        throw Error(path,
                    QStringLiteral("expected an integer, found %1, which is not an integer within the "
                                   "64-bit range")
                        .arg(describe(&value)));
    }
    return *value.integer;
}

double doubleValue(const Value& value, const QString& path)
{
    if (value.kind != Kind::Number)
        mismatch(path, "a number", value);
    return value.number;
}

bool flagValue(const Value& value, const QString& path)
{
    if (value.kind != Kind::Bool)
        mismatch(path, "true or false", value);
    return value.boolean;
}

QList<double> doubleListValue(const Value& value, const QString& path)
{
    if (value.kind != Kind::Array)
        mismatch(path, "an array of numbers", value);
    QList<double> list;
    list.reserve(qsizetype(value.elements.size()));
    for (size_t i = 0; i < value.elements.size(); ++i)
        list.append(doubleValue(value.elements[i], elementPath(path, qsizetype(i))));
    return list;
}

template <typename Record>
using Decoder = Record (*)(const Value&, const QString&);

template <typename Record>
Record recordValue(const Value& value, const QString& path, Decoder<Record> decode)
{
    if (value.kind != Kind::Object)
        mismatch(path, "an object", value);
    return decode(value, path);
}

template <typename Record>
QList<Record> recordListValue(const Value& value, const QString& path, Decoder<Record> decode)
{
    if (value.kind != Kind::Array)
        mismatch(path, "an array of objects", value);
    QList<Record> list;
    list.reserve(qsizetype(value.elements.size()));
    for (size_t i = 0; i < value.elements.size(); ++i)
        list.append(recordValue(value.elements[i], elementPath(path, qsizetype(i)), decode));
    return list;
}

// Reads the keys of one object in the order the caller asks for them; a missing key or null
// leaves the field absent.
class ObjectReader {
public:
    ObjectReader(const Value& object, const QString& path)
        : m_object(object)
        , m_path(path)
    {
    }

    const Value* raw(QLatin1StringView key) const { return m_object.find(QString(key)); }
    QString path(QLatin1StringView key) const { return childPath(m_path, key); }

    template <typename T, typename Read>
    void optional(QLatin1StringView key, std::optional<T>& field, Read read) const
    {
        const Value* value = raw(key);
        if (absent(value))
            field.reset();
        else
            field = read(*value, path(key));
    }

    void text(QLatin1StringView key, std::optional<QString>& field) const { optional(key, field, textValue); }
    void integer(QLatin1StringView key, std::optional<qint64>& field) const { optional(key, field, integerValue); }
    void number(QLatin1StringView key, std::optional<double>& field) const { optional(key, field, doubleValue); }
    void flag(QLatin1StringView key, std::optional<bool>& field) const { optional(key, field, flagValue); }
    void numbers(QLatin1StringView key, std::optional<QList<double>>& field) const
    {
        optional(key, field, doubleListValue);
    }

    template <typename Record>
    void record(QLatin1StringView key, std::optional<Record>& field, Decoder<Record> decode) const
    {
        optional(key, field, [decode](const Value& v, const QString& p) { return recordValue(v, p, decode); });
    }

    template <typename Record>
    void records(QLatin1StringView key, std::optional<QList<Record>>& field, Decoder<Record> decode) const
    {
        optional(key, field, [decode](const Value& v, const QString& p) { return recordListValue(v, p, decode); });
    }

    // A list that is empty when missing or null.
    template <typename Record>
    void recordsOrEmpty(QLatin1StringView key, QList<Record>& field, Decoder<Record> decode) const
    {
        std::optional<QList<Record>> read;
        records(key, read, decode);
        field = read.value_or(QList<Record>());
    }

private:
    const Value& m_object;
    QString m_path;
};

using namespace Qt::Literals::StringLiterals;

SystemReport::Hardware decodeHardware(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    SystemReport::Hardware h;
    r.text("model"_L1, h.model);
    r.text("cpu_model"_L1, h.cpuModel);
    r.text("total_ram"_L1, h.totalRAM);
    r.text("disk_size"_L1, h.diskSize);
    r.text("os_version"_L1, h.osVersion);
    r.text("refresh_rate"_L1, h.refreshRate);
    return h;
}

SystemReport::CPU decodeCPU(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    // Field by field: reading never derives loadAverage from the three loads.
    SystemReport::CPU c;
    r.number("usage"_L1, c.usage);
    r.numbers("per_core"_L1, c.perCore);
    r.flag("per_core_estimated"_L1, c.perCoreEstimated);
    r.number("load1"_L1, c.load1);
    r.number("load5"_L1, c.load5);
    r.number("load15"_L1, c.load15);
    r.integer("core_count"_L1, c.coreCount);
    r.integer("logical_cpu"_L1, c.logicalCPU);
    r.numbers("load_average"_L1, c.loadAverage);
    r.integer("p_core_count"_L1, c.pCoreCount);
    r.integer("e_core_count"_L1, c.eCoreCount);
    return c;
}

SystemReport::GPU decodeGPU(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    SystemReport::GPU g;
    r.text("name"_L1, g.name);
    r.number("usage"_L1, g.usage);
    r.number("memory_used"_L1, g.memoryUsed);
    r.number("memory_total"_L1, g.memoryTotal);
    r.integer("core_count"_L1, g.coreCount);
    r.text("note"_L1, g.note);
    return g;
}

SystemReport::Memory decodeMemory(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    SystemReport::Memory m;
    r.integer("total"_L1, m.total);
    r.integer("used"_L1, m.used);
    r.number("used_percent"_L1, m.usedPercent);
    r.integer("swap_used"_L1, m.swapUsed);
    r.integer("swap_total"_L1, m.swapTotal);
    r.integer("cached"_L1, m.cached);
    r.text("pressure"_L1, m.pressure);
    return m;
}

SystemReport::Disk decodeDisk(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    SystemReport::Disk d;
    r.text("name"_L1, d.name);
    r.text("mount"_L1, d.mount);
    r.text("device"_L1, d.device);
    r.integer("total"_L1, d.total);
    r.integer("used"_L1, d.used);
    r.number("used_percent"_L1, d.usedPercent);
    r.text("fstype"_L1, d.fstype);
    r.flag("external"_L1, d.external);
    return d;
}

SystemReport::DiskIO decodeDiskIO(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    SystemReport::DiskIO d;
    r.number("read_rate"_L1, d.readRate);
    r.number("write_rate"_L1, d.writeRate);
    return d;
}

SystemReport::DiskIOHistory decodeDiskIOHistory(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    SystemReport::DiskIOHistory h;
    r.numbers("read_history"_L1, h.readHistory);
    r.numbers("write_history"_L1, h.writeHistory);
    return h;
}

SystemReport::Battery decodeBattery(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    SystemReport::Battery b;
    r.number("percent"_L1, b.percent);
    r.flag("charging"_L1, b.charging);
    r.text("status"_L1, b.status);
    r.text("time_left"_L1, b.timeLeft);
    r.text("health"_L1, b.health);
    r.integer("cycle_count"_L1, b.cycleCount);
    r.integer("capacity"_L1, b.capacity);
    return b;
}

SystemReport::Network decodeNetwork(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    SystemReport::Network n;
    r.number("down"_L1, n.down);
    r.number("up"_L1, n.up);
    r.text("name"_L1, n.name);
    r.number("rx_rate_mbs"_L1, n.rxRateMBs);
    r.number("tx_rate_mbs"_L1, n.txRateMBs);
    r.text("ip"_L1, n.ip);
    return n;
}

SystemReport::NetworkHistory decodeNetworkHistory(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    SystemReport::NetworkHistory h;
    r.numbers("rx_history"_L1, h.rxHistory);
    r.numbers("tx_history"_L1, h.txHistory);
    return h;
}

SystemReport::Proxy decodeProxy(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    SystemReport::Proxy p;
    r.flag("enabled"_L1, p.enabled);
    r.text("type"_L1, p.type);
    r.text("host"_L1, p.host);
    return p;
}

SystemReport::Thermal decodeThermal(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    SystemReport::Thermal t;
    r.number("cpu_temp"_L1, t.cpuTemp);
    r.number("gpu_temp"_L1, t.gpuTemp);
    r.number("battery_temp"_L1, t.batteryTemp);
    r.integer("fan_speed"_L1, t.fanSpeed);
    r.integer("fan_count"_L1, t.fanCount);
    r.number("system_power"_L1, t.systemPower);
    r.number("adapter_power"_L1, t.adapterPower);
    r.number("battery_power"_L1, t.batteryPower);
    return t;
}

SystemReport::ProcessInfo decodeProcessInfo(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    SystemReport::ProcessInfo p;
    r.integer("pid"_L1, p.pid);
    r.integer("ppid"_L1, p.ppid);
    r.text("name"_L1, p.name);
    r.text("command"_L1, p.command);
    r.number("cpu"_L1, p.cpu);
    r.number("memory"_L1, p.memory);
    return p;
}

// "network": a list, else one record, else absent; its errors never reach the caller.
std::optional<QList<SystemReport::Network>> tolerantNetwork(const ObjectReader& r)
{
    const Value* value = r.raw("network"_L1);
    const QString path = r.path("network"_L1);
    if (value && value->kind == Kind::Array) {
        try {
            return recordListValue(*value, path, decodeNetwork);
        } catch (const Error&) {
        }
    } else if (value && value->kind == Kind::Object) {
        try {
            return QList<SystemReport::Network>{recordValue(*value, path, decodeNetwork)};
        } catch (const Error&) {
        }
    }
    return std::nullopt;
}

// "batteries" as a list; else "battery" as one record; else empty. Never fails.
QList<SystemReport::Battery> tolerantBatteries(const ObjectReader& r)
{
    const Value* list = r.raw("batteries"_L1);
    if (list && list->kind == Kind::Array) {
        try {
            return recordListValue(*list, r.path("batteries"_L1), decodeBattery);
        } catch (const Error&) {
        }
    }
    const Value* single = r.raw("battery"_L1);
    if (single && single->kind == Kind::Object) {
        try {
            return {recordValue(*single, r.path("battery"_L1), decodeBattery)};
        } catch (const Error&) {
        }
    }
    return {};
}

SystemReport decodeSystemReport(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    SystemReport s;
    r.text("host"_L1, s.host);
    r.text("platform"_L1, s.platform);
    r.integer("health_score"_L1, s.healthScore);
    r.text("health_score_msg"_L1, s.healthScoreMsg);
    r.text("uptime"_L1, s.uptime);
    r.integer("uptime_seconds"_L1, s.uptimeSeconds);
    r.integer("procs"_L1, s.procs);
    r.record("hardware"_L1, s.hardware, decodeHardware);
    r.record("cpu"_L1, s.cpu, decodeCPU);
    r.recordsOrEmpty("gpu"_L1, s.gpu, decodeGPU);
    r.record("memory"_L1, s.memory, decodeMemory);
    r.records("disks"_L1, s.disks, decodeDisk);
    r.integer("trash_size"_L1, s.trashSize);
    r.flag("trash_approx"_L1, s.trashApprox);
    r.record("disk_io"_L1, s.diskIO, decodeDiskIO);
    r.record("disk_io_history"_L1, s.diskIOHistory, decodeDiskIOHistory);
    s.network = tolerantNetwork(r);
    r.record("network_history"_L1, s.networkHistory, decodeNetworkHistory);
    r.record("proxy"_L1, s.proxy, decodeProxy);
    s.batteries = tolerantBatteries(r);
    r.record("thermal"_L1, s.thermal, decodeThermal);
    r.recordsOrEmpty("top_processes"_L1, s.topProcesses, decodeProcessInfo);
    return s;
}

AnalysisReport::Entry decodeEntry(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    AnalysisReport::Entry e;
    r.text("name"_L1, e.name);
    r.text("path"_L1, e.path);
    r.integer("size"_L1, e.size);
    r.flag("is_dir"_L1, e.isDirectory);
    return e;
}

AnalysisReport decodeAnalysisReport(const Value& o, const QString& path)
{
    const ObjectReader r(o, path);
    AnalysisReport a;
    r.text("path"_L1, a.path);
    r.flag("overview"_L1, a.overview);
    r.recordsOrEmpty("entries"_L1, a.entries, decodeEntry);
    r.recordsOrEmpty("large_files"_L1, a.largeFiles, decodeEntry);
    r.integer("total_size"_L1, a.totalSize);
    r.integer("total_files"_L1, a.totalFiles);
    return a;
}

Value topObject(const QString& text)
{
    if (text.isEmpty())
        throw Error(QString(), QStringLiteral("the document is empty"));
    strictJson::SyntaxError error;
    std::optional<Value> document = strictJson::parse(text, &error);
    if (!document) {
        throw Error(QString(),
                    QStringLiteral("the document is not valid JSON: %1 at line %2, column %3")
                        .arg(error.what)
                        .arg(error.line)
                        .arg(error.column));
    }
    if (document->kind != Kind::Object) {
        throw Error(QString(),
                    QStringLiteral("expected an object at the top level, found %1").arg(describe(&*document)));
    }
    return std::move(*document);
}

QString decodeUtf8(const QByteArray& utf8)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(utf8);
    if (decoder.hasError())
        throw Error(QString(), QStringLiteral("the document is not valid UTF-8"));
    return text;
}

QString checkedText(const QString& text)
{
    if (!text.isValidUtf16())
        throw Error(QString(), QStringLiteral("the document is not valid Unicode text"));
    return text;
}

} // namespace

SystemReport parseStatus(const QString& text)
{
    return decodeSystemReport(topObject(checkedText(text)), QString());
}

SystemReport parseStatus(const QByteArray& utf8)
{
    return decodeSystemReport(topObject(decodeUtf8(utf8)), QString());
}

AnalysisReport parseAnalysis(const QString& text)
{
    return decodeAnalysisReport(topObject(checkedText(text)), QString());
}

AnalysisReport parseAnalysis(const QByteArray& utf8)
{
    return decodeAnalysisReport(topObject(decodeUtf8(utf8)), QString());
}

} // namespace roror::SystemReportParser
