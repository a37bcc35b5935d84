#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace roror {

// One snapshot of the machine's status. Every field is optional unless noted; absent differs
// from zero, from an empty text and from an empty list. Texts compare under canonical
// equivalence, floating-point values numerically; computed members take no part in equality.
struct SystemReport {
    struct Hardware {
        std::optional<QString> model;
        std::optional<QString> cpuModel;
        std::optional<QString> totalRAM;
        std::optional<QString> diskSize;
        std::optional<QString> osVersion;
        std::optional<QString> refreshRate;

        static const QStringList& codingKeys();
        bool operator==(const Hardware& other) const;
    };

    struct CPU {
        std::optional<double> usage;
        std::optional<QList<double>> perCore;
        std::optional<bool> perCoreEstimated;
        std::optional<double> load1;
        std::optional<double> load5;
        std::optional<double> load15;
        std::optional<qint64> coreCount;
        std::optional<qint64> logicalCPU;
        std::optional<QList<double>> loadAverage;
        std::optional<qint64> pCoreCount;
        std::optional<qint64> eCoreCount;

        // All fields absent; the JSON reader fills fields one by one and never derives loadAverage.
        CPU() = default;
        // An absent loadAverage becomes the present loads in 1, 5, 15 order (possibly empty).
        CPU(std::optional<double> usage, std::optional<QList<double>> perCore, std::optional<bool> perCoreEstimated,
            std::optional<double> load1, std::optional<double> load5, std::optional<double> load15,
            std::optional<qint64> coreCount, std::optional<qint64> logicalCPU, std::optional<QList<double>> loadAverage,
            std::optional<qint64> pCoreCount, std::optional<qint64> eCoreCount);

        static const QStringList& codingKeys();
        bool operator==(const CPU& other) const;
    };

    struct GPU {
        std::optional<QString> name;
        std::optional<double> usage;
        std::optional<double> memoryUsed;
        std::optional<double> memoryTotal;
        std::optional<qint64> coreCount;
        std::optional<QString> note;

        static const QStringList& codingKeys();
        bool operator==(const GPU& other) const;
    };

    struct Memory {
        std::optional<qint64> total;
        std::optional<qint64> used;
        std::optional<double> usedPercent;
        std::optional<qint64> swapUsed;
        std::optional<qint64> swapTotal;
        std::optional<qint64> cached;
        std::optional<QString> pressure;

        static const QStringList& codingKeys();
        bool operator==(const Memory& other) const;
    };

    struct Disk {
        std::optional<QString> name;
        std::optional<QString> mount;
        std::optional<QString> device;
        std::optional<qint64> total;
        std::optional<qint64> used;
        std::optional<double> usedPercent;
        std::optional<QString> fstype;
        std::optional<bool> external;

        Disk() = default;
        // Note the argument order: device comes after usedPercent.
        Disk(std::optional<QString> name, std::optional<QString> mount, std::optional<qint64> total,
             std::optional<qint64> used, std::optional<double> usedPercent, std::optional<QString> device,
             std::optional<QString> fstype, std::optional<bool> external);

        // mount, else device, else name, else a fresh UUID text (different on every call).
        QString id() const;

        static const QStringList& codingKeys();
        bool operator==(const Disk& other) const;
    };

    struct DiskIO {
        std::optional<double> readRate;
        std::optional<double> writeRate;

        static const QStringList& codingKeys();
        bool operator==(const DiskIO& other) const = default;
    };

    struct DiskIOHistory {
        std::optional<QList<double>> readHistory;
        std::optional<QList<double>> writeHistory;

        static const QStringList& codingKeys();
        bool operator==(const DiskIOHistory& other) const = default;
    };

    struct Battery {
        std::optional<double> percent;
        std::optional<bool> charging;
        std::optional<QString> status;
        std::optional<QString> timeLeft;
        std::optional<QString> health;
        std::optional<qint64> cycleCount;
        std::optional<qint64> capacity;

        static const QStringList& codingKeys();
        bool operator==(const Battery& other) const;
    };

    struct Network {
        std::optional<double> down;
        std::optional<double> up;
        std::optional<QString> name;
        std::optional<double> rxRateMBs;
        std::optional<double> txRateMBs;
        std::optional<QString> ip;

        static const QStringList& codingKeys();
        bool operator==(const Network& other) const;
    };

    struct NetworkHistory {
        std::optional<QList<double>> rxHistory;
        std::optional<QList<double>> txHistory;

        static const QStringList& codingKeys();
        bool operator==(const NetworkHistory& other) const = default;
    };

    struct Proxy {
        std::optional<bool> enabled;
        std::optional<QString> type;
        std::optional<QString> host;

        static const QStringList& codingKeys();
        bool operator==(const Proxy& other) const;
    };

    struct Thermal {
        std::optional<double> cpuTemp;
        std::optional<double> gpuTemp;
        std::optional<double> batteryTemp;
        std::optional<qint64> fanSpeed;
        std::optional<qint64> fanCount;
        std::optional<double> systemPower;
        std::optional<double> adapterPower;
        std::optional<double> batteryPower;

        static const QStringList& codingKeys();
        bool operator==(const Thermal& other) const = default;
    };

    struct ProcessInfo {
        std::optional<qint64> pid;
        std::optional<qint64> ppid;
        std::optional<QString> name;
        std::optional<QString> command;
        std::optional<double> cpu;
        std::optional<double> memory;

        // pid, else the string hash of name (stable within one run only), else 0.
        qint64 id() const;

        static const QStringList& codingKeys();
        bool operator==(const ProcessInfo& other) const;
    };

    std::optional<QString> host;
    std::optional<QString> platform;
    std::optional<qint64> healthScore;
    std::optional<QString> healthScoreMsg;
    std::optional<QString> uptime;
    std::optional<qint64> uptimeSeconds;
    std::optional<qint64> procs;
    std::optional<Hardware> hardware;
    std::optional<CPU> cpu;
    QList<GPU> gpu;
    std::optional<Memory> memory;
    std::optional<QList<Disk>> disks;
    std::optional<qint64> trashSize;
    std::optional<bool> trashApprox;
    std::optional<DiskIO> diskIO;
    std::optional<DiskIOHistory> diskIOHistory;
    std::optional<QList<Network>> network;
    std::optional<NetworkHistory> networkHistory;
    std::optional<Proxy> proxy;
    QList<Battery> batteries;
    std::optional<Thermal> thermal;
    QList<ProcessInfo> topProcesses;

    // Everything absent or empty.
    SystemReport() = default;
    // Stores every argument unchanged except the battery pair: a non-empty `batteries` wins,
    // else a present `battery` becomes the one-element list, else the list is empty.
    SystemReport(std::optional<QString> host, std::optional<QString> platform, std::optional<qint64> healthScore,
                 std::optional<QString> healthScoreMsg, std::optional<QString> uptime,
                 std::optional<qint64> uptimeSeconds, std::optional<qint64> procs, std::optional<Hardware> hardware,
                 std::optional<CPU> cpu, QList<GPU> gpu, std::optional<Memory> memory, std::optional<QList<Disk>> disks,
                 std::optional<qint64> trashSize, std::optional<bool> trashApprox, std::optional<DiskIO> diskIO,
                 std::optional<DiskIOHistory> diskIOHistory, std::optional<QList<Network>> network,
                 std::optional<NetworkHistory> networkHistory, std::optional<Proxy> proxy, QList<Battery> batteries,
                 std::optional<Battery> battery, std::optional<Thermal> thermal, QList<ProcessInfo> topProcesses);

    // The first battery, absent when there is none.
    std::optional<Battery> battery() const;

    // The 23 JSON keys in key order ("battery" and "batteries" stand before "network").
    static const QStringList& codingKeys();
    bool operator==(const SystemReport& other) const;
};

} // namespace roror
