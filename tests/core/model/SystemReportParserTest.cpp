#include "core/model/SystemReportParser.h"

#include <functional>
#include <limits>
#include <gtest/gtest.h>

using namespace roror;
namespace P = roror::SystemReportParser;

namespace {

// Parses and reports the key path of the error, or "ok".
QString statusOutcome(const QByteArray& json)
{
    try {
        P::parseStatus(json);
        return QStringLiteral("ok");
    } catch (const P::Error& e) {
        return e.keyPath().isEmpty() ? QStringLiteral("<document>") : e.keyPath();
    }
}

QString analysisOutcome(const QByteArray& json)
{
    try {
        P::parseAnalysis(json);
        return QStringLiteral("ok");
    } catch (const P::Error& e) {
        return e.keyPath().isEmpty() ? QStringLiteral("<document>") : e.keyPath();
    }
}

const char* kFullStatus = R"({
  "host": "mac · M2", "platform": "darwin 23.4", "health_score": 87, "health_score_msg": "Good",
  "uptime": "2d 3h", "uptime_seconds": 183600, "procs": 412,
  "hardware": {"model": "MacBook Air", "cpu_model": "Apple M2", "total_ram": "16.0 GB",
               "disk_size": "460.4 GB", "os_version": "14.4", "refresh_rate": "60Hz", "extra": 1},
  "cpu": {"usage": 12.5, "per_core": [10, 15.5], "per_core_estimated": false, "load1": 1.5, "load5": 2,
          "load15": 2.5, "core_count": 8, "logical_cpu": 8, "load_average": [1.5, 2, 2.5],
          "p_core_count": 4, "e_core_count": 4},
  "gpu": [{"name": "Apple M2 GPU", "usage": 3.0, "memory_used": 1.5, "memory_total": 8, "core_count": 10,
           "note": "shared"}],
  "memory": {"total": 17179869184, "used": 8589934592, "used_percent": 50.0, "swap_used": 0,
             "swap_total": 1073741824, "cached": 2147483648, "pressure": "normal"},
  "disks": [{"name": "Macintosh HD", "mount": "/", "device": "/dev/disk3s1", "total": 494384795648,
             "used": 200000000000, "used_percent": 40.45, "fstype": "apfs", "external": false, "id": "ignored"}],
  "trash_size": 1234, "trash_approx": false,
  "disk_io": {"read_rate": 1.25, "write_rate": 0.5},
  "disk_io_history": {"read_history": [1, 2], "write_history": []},
  "network": [{"down": 0.1, "up": 0.2, "name": "en0", "rx_rate_mbs": 0.1, "tx_rate_mbs": 0.2, "ip": "192.168.1.2"}],
  "network_history": {"rx_history": [0.1], "tx_history": [0.2]},
  "proxy": {"enabled": true, "type": "HTTP", "host": "proxy.local:8080"},
  "batteries": [{"percent": 80, "charging": true, "status": "charging", "time_left": "1:20", "health": "Good",
                 "cycle_count": 120, "capacity": 95}],
  "thermal": {"cpu_temp": 45.5, "gpu_temp": 40, "battery_temp": 30.1, "fan_speed": 1200, "fan_count": 1,
              "system_power": 10.5, "adapter_power": 30, "battery_power": -5.5},
  "top_processes": [{"pid": 1, "ppid": 0, "name": "launchd", "command": "/sbin/launchd", "cpu": 0.5,
                     "memory": 0.1}]
})";

} // namespace

TEST(SystemReportParser, ReadsEveryFieldOfAFullDocument)
{
    const SystemReport r = P::parseStatus(QByteArray(kFullStatus));
    EXPECT_EQ(r.host, QStringLiteral("mac · M2"));
    EXPECT_EQ(r.healthScore, 87);
    EXPECT_EQ(r.uptimeSeconds, 183600);
    ASSERT_TRUE(r.hardware);
    EXPECT_EQ(r.hardware->refreshRate, QStringLiteral("60Hz"));
    ASSERT_TRUE(r.cpu);
    EXPECT_EQ(r.cpu->perCore, (QList<double>{10, 15.5}));
    EXPECT_EQ(r.cpu->loadAverage, (QList<double>{1.5, 2, 2.5}));
    EXPECT_EQ(r.cpu->eCoreCount, 4);
    ASSERT_EQ(r.gpu.size(), 1);
    EXPECT_EQ(r.gpu.first().memoryTotal, 8.0);
    EXPECT_EQ(r.memory->total, Q_INT64_C(17179869184));
    ASSERT_TRUE(r.disks && r.disks->size() == 1);
    EXPECT_EQ(r.disks->first().id(), QStringLiteral("/"));
    EXPECT_EQ(r.disks->first().external, false);
    EXPECT_EQ(r.trashSize, 1234);
    EXPECT_EQ(r.diskIOHistory->writeHistory, QList<double>{});
    ASSERT_TRUE(r.network && r.network->size() == 1);
    EXPECT_EQ(r.network->first().ip, QStringLiteral("192.168.1.2"));
    EXPECT_EQ(r.proxy->enabled, true);
    ASSERT_EQ(r.batteries.size(), 1);
    EXPECT_EQ(r.battery()->cycleCount, 120);
    EXPECT_EQ(r.thermal->batteryPower, -5.5);
    ASSERT_EQ(r.topProcesses.size(), 1);
    EXPECT_EQ(r.topProcesses.first().id(), 1);
    EXPECT_EQ(r.topProcesses.first().command, QStringLiteral("/sbin/launchd"));

    // The text overload reads the same, and reading twice gives equal reports.
    EXPECT_EQ(P::parseStatus(QString::fromUtf8(kFullStatus)), r);
}

TEST(SystemReportParser, EmptyObjectsGiveAbsentFieldsAndEmptyDefaultLists)
{
    const SystemReport s = P::parseStatus(QStringLiteral("{}"));
    EXPECT_EQ(s, SystemReport());
    EXPECT_EQ(s.host, std::nullopt);
    EXPECT_EQ(s.healthScore, std::nullopt);
    EXPECT_TRUE(s.gpu.isEmpty());
    EXPECT_TRUE(s.batteries.isEmpty());
    EXPECT_TRUE(s.topProcesses.isEmpty());
    EXPECT_EQ(s.disks, std::nullopt);
    EXPECT_EQ(s.network, std::nullopt);
    EXPECT_EQ(s.battery(), std::nullopt);

    const AnalysisReport a = P::parseAnalysis(QStringLiteral("{}"));
    EXPECT_EQ(a, AnalysisReport());
    EXPECT_EQ(a.path, std::nullopt);
    EXPECT_EQ(a.overview, std::nullopt);
    EXPECT_EQ(a.totalSize, std::nullopt);
    EXPECT_EQ(a.totalFiles, std::nullopt);
    EXPECT_TRUE(a.entries.isEmpty());
    EXPECT_TRUE(a.largeFiles.isEmpty());
}

TEST(SystemReportParser, AcceptedShapes)
{
    using Check = std::function<void(const SystemReport&)>;
    const struct {
        const char* json;
        Check check;
    } cases[] = {
        // Integers: integral numbers in the 64-bit range, exactly.
        {R"({"health_score": 87})", [](const SystemReport& r) { EXPECT_EQ(r.healthScore, 87); }},
        {R"({"health_score": 87.0})", [](const SystemReport& r) { EXPECT_EQ(r.healthScore, 87); }},
        {R"({"health_score": 1e2})", [](const SystemReport& r) { EXPECT_EQ(r.healthScore, 100); }},
        {R"({"health_score": -5})", [](const SystemReport& r) { EXPECT_EQ(r.healthScore, -5); }},
        {R"({"trash_size": 9223372036854775807})",
         [](const SystemReport& r) { EXPECT_EQ(r.trashSize, std::numeric_limits<qint64>::max()); }},
        {R"({"trash_size": -9223372036854775808})",
         [](const SystemReport& r) { EXPECT_EQ(r.trashSize, std::numeric_limits<qint64>::min()); }},
        {R"({"uptime_seconds": 9007199254740993})",
         [](const SystemReport& r) { EXPECT_EQ(r.uptimeSeconds, Q_INT64_C(9007199254740993)); }},
        {R"({"uptime_seconds": 9007199254740993.0})",
         [](const SystemReport& r) { EXPECT_EQ(r.uptimeSeconds, Q_INT64_C(9007199254740993)); }},
        {R"({"uptime_seconds": 870e-1, "procs": -0})",
         [](const SystemReport& r) {
             EXPECT_EQ(r.uptimeSeconds, 87);
             EXPECT_EQ(r.procs, 0);
         }},
        {R"({"trash_size": 92233720368547758.07e2})",
         [](const SystemReport& r) { EXPECT_EQ(r.trashSize, std::numeric_limits<qint64>::max()); }},
        // Texts: escapes and surrogate pairs.
        {R"({"host": "a\"b\\c\/d\n\u00e9\ud83d\ude00"})",
         [](const SystemReport& r) { EXPECT_EQ(r.host, QStringLiteral("a\"b\\c/d\n\u00e9\U0001F600")); }},
        {"\xef\xbb\xbf{\"host\": \"\xf0\x9f\x98\x80\"}",
         [](const SystemReport& r) { EXPECT_EQ(r.host, QStringLiteral("\U0001F600")); }},
        // Tiny numbers are zero; a repeated key keeps its last value.
        {R"({"cpu": {"usage": 1e-400}, "procs": 1, "procs": 2})",
         [](const SystemReport& r) {
             EXPECT_EQ(r.cpu->usage, 0.0);
             EXPECT_EQ(r.procs, 2);
         }},
        // Floating-point accepts integers.
        {R"({"cpu": {"usage": 5, "per_core": []}})",
         [](const SystemReport& r) {
             EXPECT_EQ(r.cpu->usage, 5.0);
             EXPECT_EQ(r.cpu->perCore, QList<double>{});
         }},
        // Nested records: {} is present with absent fields, null is absent.
        {R"({"hardware": {}})", [](const SystemReport& r) { EXPECT_EQ(r.hardware, SystemReport::Hardware{}); }},
        {R"({"hardware": null, "host": null})",
         [](const SystemReport& r) {
             EXPECT_EQ(r.hardware, std::nullopt);
             EXPECT_EQ(r.host, std::nullopt);
         }},
        // Reading never derives the load-average list.
        {R"({"cpu": {"load1": 1.0, "load5": 2.0, "load15": 3.0}})",
         [](const SystemReport& r) {
             EXPECT_EQ(r.cpu->load5, 2.0);
             EXPECT_EQ(r.cpu->loadAverage, std::nullopt);
         }},
        // Lists that default to empty.
        {R"({"gpu": null, "top_processes": null})",
         [](const SystemReport& r) {
             EXPECT_TRUE(r.gpu.isEmpty());
             EXPECT_TRUE(r.topProcesses.isEmpty());
         }},
        {R"({"disks": []})", [](const SystemReport& r) { EXPECT_EQ(r.disks, QList<SystemReport::Disk>{}); }},
        {R"({"disks": null})", [](const SystemReport& r) { EXPECT_EQ(r.disks, std::nullopt); }},
        // Keys are exact; unknown keys are ignored at every depth.
        {R"({"HEALTH_SCORE": 5, "Health_Score": "x", "memory": {"Total": "x", "bogus": [1]}})",
         [](const SystemReport& r) {
             EXPECT_EQ(r.healthScore, std::nullopt);
             EXPECT_EQ(r.memory, SystemReport::Memory{});
         }},
        // "network": two shapes, never fails.
        {R"({"network": {"name": "en0", "down": 1}})",
         [](const SystemReport& r) {
             ASSERT_TRUE(r.network);
             ASSERT_EQ(r.network->size(), 1);
             EXPECT_EQ(r.network->first().name, QStringLiteral("en0"));
         }},
        {R"({"network": []})", [](const SystemReport& r) { EXPECT_EQ(r.network, QList<SystemReport::Network>{}); }},
        {R"({"network": "en0", "host": "h"})",
         [](const SystemReport& r) {
             EXPECT_EQ(r.network, std::nullopt);
             EXPECT_EQ(r.host, QStringLiteral("h"));
         }},
        {R"({"network": [{"name": "en0"}, {"down": "fast"}], "procs": 3})",
         [](const SystemReport& r) {
             EXPECT_EQ(r.network, std::nullopt);
             EXPECT_EQ(r.procs, 3);
         }},
        {R"({"network": [null]})", [](const SystemReport& r) { EXPECT_EQ(r.network, std::nullopt); }},
        {R"({"network": {"down": "fast"}})", [](const SystemReport& r) { EXPECT_EQ(r.network, std::nullopt); }},
        {R"({"network": 5})", [](const SystemReport& r) { EXPECT_EQ(r.network, std::nullopt); }},
        // "batteries", then "battery"; never fails.
        {R"({"batteries": [], "battery": {"percent": 50}})",
         [](const SystemReport& r) { EXPECT_TRUE(r.batteries.isEmpty()); }},
        {R"({"battery": {"percent": 50}})",
         [](const SystemReport& r) {
             ASSERT_EQ(r.batteries.size(), 1);
             EXPECT_EQ(r.battery()->percent, 50.0);
         }},
        {R"({"batteries": {"percent": 50}})", [](const SystemReport& r) { EXPECT_TRUE(r.batteries.isEmpty()); }},
        {R"({"batteries": {"percent": 50}, "battery": {"percent": 7}})",
         [](const SystemReport& r) { EXPECT_EQ(r.battery()->percent, 7.0); }},
        {R"({"battery": 5})", [](const SystemReport& r) { EXPECT_TRUE(r.batteries.isEmpty()); }},
        {R"({"batteries": [{"percent": "full"}], "battery": {"percent": 9}})",
         [](const SystemReport& r) {
             ASSERT_EQ(r.batteries.size(), 1);
             EXPECT_EQ(r.batteries.first().percent, 9.0);
         }},
        {R"({"batteries": [{"percent": 1}, {"percent": 2}], "battery": {"percent": 9}})",
         [](const SystemReport& r) { EXPECT_EQ(r.batteries.size(), 2); }},
        {R"({"battery": {"charging": 1}})", [](const SystemReport& r) { EXPECT_TRUE(r.batteries.isEmpty()); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        try {
            c.check(P::parseStatus(QByteArray(c.json)));
        } catch (const P::Error& e) {
            ADD_FAILURE() << e.what();
        }
    }
}

TEST(SystemReportParser, WrongKindsFailAtTheFirstBadKeyInReadingOrder)
{
    const struct {
        const char* json;
        const char* failsAt;
    } cases[] = {
        // Kinds.
        {R"({"health_score": "87"})", "health_score"},
        {R"({"health_score": 87.5})", "health_score"},
        {R"({"health_score": true})", "health_score"},
        {R"({"trash_size": 9223372036854775808})", "trash_size"},
        {R"({"trash_size": -9223372036854775809})", "trash_size"},
        {R"({"trash_size": 1e30})", "trash_size"},
        {R"({"trash_size": 1e19})", "trash_size"},
        {R"({"trash_size": 9223372036854775807.5})", "trash_size"},
        {R"({"trash_size": 1e-400})", "trash_size"},
        {R"({"trash_size": 0.1e1})", "ok"},
        {R"({"trash_approx": 1})", "trash_approx"},
        {R"({"trash_approx": "true"})", "trash_approx"},
        {R"({"host": 5})", "host"},
        {R"({"host": ["a"]})", "host"},
        {R"({"hardware": "MacBook"})", "hardware"},
        {R"({"hardware": {"model": 5}})", "hardware.model"},
        {R"({"cpu": {"usage": "5"}})", "cpu.usage"},
        {R"({"cpu": {"per_core": [1.0, null]}})", "cpu.per_core[1]"},
        {R"({"cpu": {"per_core": 1.0}})", "cpu.per_core"},
        {R"({"cpu": {"core_count": 8.5}})", "cpu.core_count"},
        // A single object or a null element where an array of objects is due.
        {R"({"gpu": {"name": "x"}})", "gpu"},
        {R"({"gpu": [null]})", "gpu[0]"},
        {R"({"gpu": [{"name": "x"}, {"usage": "high"}]})", "gpu[1].usage"},
        {R"({"disks": {"name": "x"}})", "disks"},
        {R"({"disks": [{"external": 0}]})", "disks[0].external"},
        {R"({"top_processes": {"pid": 1}})", "top_processes"},
        {R"({"top_processes": [{"pid": "1"}]})", "top_processes[0].pid"},
        {R"({"memory": {"pressure": 1}})", "memory.pressure"},
        {R"({"disk_io_history": {"read_history": [1, "2"]}})", "disk_io_history.read_history[1]"},
        {R"({"network_history": {"tx_history": {}}})", "network_history.tx_history"},
        {R"({"proxy": {"enabled": "yes"}})", "proxy.enabled"},
        {R"({"thermal": {"fan_speed": 1200.5}})", "thermal.fan_speed"},
        // First bad key in reading order wins, whatever the order in the text.
        {R"({"top_processes": {}, "health_score": "x"})", "health_score"},
        {R"({"procs": "x", "host": 1})", "host"},
        {R"({"cpu": {"usage": "x"}, "hardware": {"model": 1}})", "hardware.model"},
        {R"({"cpu": {"e_core_count": "x", "usage": "y"}})", "cpu.usage"},
        // The tolerant keys never fail, but are read after "proxy" and before "thermal".
        {R"({"thermal": 1, "network": 1, "batteries": 1, "proxy": 1})", "proxy"},
        {R"({"thermal": 1, "network": 1, "batteries": 1, "battery": 1})", "thermal"},
        // Whole-document failures.
        {"", "<document>"},
        {"   ", "<document>"},
        {"[]", "<document>"},
        {"null", "<document>"},
        {"5", "<document>"},
        {"\"text\"", "<document>"},
        {R"({"host": "a")", "<document>"},
        {R"({"host": "a", })", "<document>"},
        {"{\"host\": \"caf\xe9\"}", "<document>"},
        {"\xff\xfe{}", "<document>"},
        {"not json", "<document>"},
        // An escaped lone surrogate is not text.
        {R"({"host": "\ud800"})", "<document>"},
        {R"({"host": "\udc00\ud800"})", "<document>"},
        {R"({"host": "\ud800x"})", "<document>"},
        // Numbers the double range cannot hold.
        {R"({"cpu": {"usage": 1e400}})", "<document>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(statusOutcome(QByteArray(c.json)), QString::fromUtf8(c.failsAt)) << c.json;
}

TEST(SystemReportParser, AnalysisDocuments)
{
    const AnalysisReport a = P::parseAnalysis(QByteArray(R"({
        "path": "/Users/ann/Library", "overview": false, "total_size": 5000000000, "total_files": 12,
        "entries": [{"name": "Caches", "path": "/Users/ann/Library/Caches", "size": 4000000000, "is_dir": true},
                    {"name": "x"}],
        "large_files": [{"name": "big.bin", "path": "/Users/ann/Library/big.bin", "size": 900, "is_dir": false}]})"));
    EXPECT_EQ(a.path, QStringLiteral("/Users/ann/Library"));
    EXPECT_EQ(a.overview, false);
    EXPECT_EQ(a.totalSize, Q_INT64_C(5000000000));
    ASSERT_EQ(a.entries.size(), 2);
    EXPECT_EQ(a.entries.first().isDirectory, true);
    EXPECT_EQ(a.entries.at(1).id(), QStringLiteral("x"));
    EXPECT_EQ(a.entries.at(1).size, std::nullopt);
    ASSERT_EQ(a.largeFiles.size(), 1);
    EXPECT_EQ(a.largeFiles.first().size, 900);

    const struct {
        const char* json;
        const char* outcome;
    } cases[] = {
        {R"({"entries": null, "large_files": []})", "ok"},
        {R"({"entries": {"name": "x"}})", "entries"},
        {R"({"large_files": {"name": "x"}})", "large_files"},
        {R"({"entries": [{"is_dir": 1}]})", "entries[0].is_dir"},
        {R"({"entries": [{"size": 1.5}]})", "entries[0].size"},
        {R"({"overview": "false"})", "overview"},
        {R"({"total_files": "12"})", "total_files"},
        {R"({"total_files": "12", "path": 3})", "path"},
        {R"({"large_files": 1, "entries": 1})", "entries"},
        {"[]", "<document>"},
        {"null", "<document>"},
        {"", "<document>"},
        {"{\"path\": \"/tmp/\xc3\"}", "<document>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(analysisOutcome(QByteArray(c.json)), QString::fromUtf8(c.outcome)) << c.json;
}

TEST(SystemReportParser, ErrorTextNamesTheKeyAndWhy)
{
    try {
        P::parseStatus(QByteArray(R"({"cpu": {"per_core": [1, "2"]}})"));
        FAIL() << "no error";
    } catch (const P::Error& e) {
        EXPECT_EQ(e.keyPath(), QStringLiteral("cpu.per_core[1]"));
        const QString text = QString::fromUtf8(e.what());
        EXPECT_TRUE(text.startsWith(QStringLiteral("cpu.per_core[1]: "))) << e.what();
        EXPECT_TRUE(text.contains(QStringLiteral("expected a number, found a string"))) << e.what();
    }
    try {
        P::parseStatus(QByteArray(R"({"health_score": 87.5})"));
        FAIL() << "no error";
    } catch (const P::Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("87.5"))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("integer"))) << e.what();
    }
    // The text overload refuses a lone surrogate in the text itself.
    QString broken = QStringLiteral("{\"host\": \"x\"}");
    broken[10] = QChar(0xD800);
    EXPECT_THROW(P::parseStatus(broken), P::Error);
    EXPECT_THROW(P::parseAnalysis(broken), P::Error);
    try {
        P::parseStatus(QByteArray("{\"host\": \"\xff\"}"));
        FAIL() << "no error";
    } catch (const P::Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("UTF-8"))) << e.what();
    }
}

TEST(SystemReportParser, EqualityOfReadReports)
{
    EXPECT_EQ(P::parseStatus(QStringLiteral(R"({"gpu": []})")), P::parseStatus(QStringLiteral("{}")));
    EXPECT_NE(P::parseStatus(QStringLiteral(R"({"disks": []})")), P::parseStatus(QStringLiteral("{}")));
    EXPECT_NE(P::parseStatus(QStringLiteral(R"({"network": []})")), P::parseStatus(QStringLiteral("{}")));
    EXPECT_EQ(P::parseStatus(QStringLiteral(R"({"cpu": {"usage": -0.0}})")),
              P::parseStatus(QStringLiteral(R"({"cpu": {"usage": 0}})")));
    EXPECT_EQ(P::parseStatus(QStringLiteral(R"({"host": "caf\u00e9"})")),
              P::parseStatus(QStringLiteral(R"({"host": "cafe\u0301"})")));
    EXPECT_NE(P::parseStatus(QStringLiteral(R"({"host": ""})")), P::parseStatus(QStringLiteral("{}")));
    // A key "id" is not read.
    EXPECT_EQ(P::parseStatus(QStringLiteral(R"({"disks": [{"id": "x", "name": "d"}]})")),
              P::parseStatus(QStringLiteral(R"({"disks": [{"name": "d"}]})")));
}

TEST(SystemReportParser, DeepOrLargeInputFailsOrReadsWithoutCrashing)
{
    // Deep nesting under an ignored key.
    const QByteArray deep = "{\"x\": " + QByteArray(5000, '[') + QByteArray(5000, ']') + "}";
    EXPECT_NO_FATAL_FAILURE(statusOutcome(deep));
    QByteArray many = "{\"top_processes\": [";
    for (int i = 0; i < 20000; ++i)
        many += (i ? "," : "") + QByteArray(R"({"pid": )") + QByteArray::number(i) + "}";
    many += "]}";
    EXPECT_EQ(P::parseStatus(many).topProcesses.size(), 20000);
    // Every truncation of a valid document is an error, never a crash.
    const QByteArray full(kFullStatus);
    for (qsizetype n = 0; n < full.size() - 1; n += 7)
        EXPECT_EQ(statusOutcome(full.left(n)), QStringLiteral("<document>")) << n;
}
