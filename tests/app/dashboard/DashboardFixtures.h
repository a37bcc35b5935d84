#pragma once

#include "core/model/SystemReport.h"
#include "tests/app/model/ModelTestSupport.h"

#include <QList>
#include <QString>

namespace roror::test {

inline SystemReport::ProcessInfo proc(std::optional<qint64> pid, std::optional<QString> name,
                                      std::optional<double> cpu = std::nullopt,
                                      std::optional<double> memory = std::nullopt,
                                      std::optional<QString> command = std::nullopt)
{
    SystemReport::ProcessInfo p;
    p.pid = pid;
    p.name = std::move(name);
    p.cpu = cpu;
    p.memory = memory;
    p.command = std::move(command);
    return p;
}

inline SystemReport::Disk disk(std::optional<QString> name, std::optional<QString> mount, std::optional<qint64> total,
                               std::optional<qint64> used, std::optional<double> percent, bool external = false)
{
    SystemReport::Disk d;
    d.name = std::move(name);
    d.mount = std::move(mount);
    d.total = total;
    d.used = used;
    d.usedPercent = percent;
    d.external = external;
    return d;
}

// A recorded snapshot of a laptop with every card filled.
inline SystemReport recordedReport()
{
    SystemReport r;
    r.host = QStringLiteral("atelier");
    r.healthScore = 82;
    r.uptime = QStringLiteral("3d 4h");
    r.procs = 412;
    SystemReport::Hardware hw;
    hw.model = QStringLiteral("ThinkPad X1 Carbon");
    hw.cpuModel = QStringLiteral("Intel Core i7-1365U");
    hw.totalRAM = QStringLiteral("32 GB");
    hw.diskSize = QStringLiteral("1 TB");
    hw.osVersion = QStringLiteral("Debian GNU/Linux 12");
    r.hardware = hw;
    SystemReport::CPU cpu;
    cpu.usage = 37.4;
    cpu.perCore = QList<double>{62.0, 18.5, 91.0, 5.0, 44.0, 71.2, 12.0, 0.0, 33.0, 27.5};
    cpu.perCoreEstimated = false;
    cpu.load1 = 2.41;
    cpu.load5 = 1.87;
    cpu.load15 = 1.52;
    cpu.logicalCPU = 10;
    r.cpu = cpu;
    SystemReport::GPU gpu;
    gpu.name = QStringLiteral("Intel Iris Xe Graphics");
    gpu.usage = 23.0;
    gpu.memoryUsed = 2048;
    gpu.memoryTotal = 8192;
    r.gpu = {gpu};
    SystemReport::Memory m;
    m.total = 32'000'000'000;
    m.used = 23'040'000'000;
    m.usedPercent = 72.0;
    m.swapUsed = 1'200'000'000;
    m.swapTotal = 4'000'000'000;
    m.cached = 6'100'000'000;
    m.pressure = QStringLiteral("normal");
    r.memory = m;
    SystemReport::Disk root
        = disk(QStringLiteral("root"), QStringLiteral("/"), 1'000'000'000'000, 912'000'000'000, 91.2);
    root.fstype = QStringLiteral("ext4");
    root.device = QStringLiteral("/dev/nvme0n1p2");
    SystemReport::Disk usb = disk(QStringLiteral("BACKUP"), QStringLiteral("/media/backup"), 2'000'000'000'000,
                                  400'000'000'000, 20.0, true);
    usb.fstype = QStringLiteral("exfat");
    usb.device = QStringLiteral("/dev/sdb1");
    r.disks = QList<SystemReport::Disk>{root, usb};
    r.diskIO = SystemReport::DiskIO{0.5, 12.34};
    r.diskIOHistory = SystemReport::DiskIOHistory{QList<double>{0.1, 0.5}, QList<double>{3.0, 12.34}};
    SystemReport::Network wifi;
    wifi.name = QStringLiteral("wlp0s20f3");
    wifi.rxRateMBs = 1.25;
    wifi.txRateMBs = 0.2;
    wifi.ip = QStringLiteral("192.168.1.23");
    r.network = QList<SystemReport::Network>{wifi};
    r.networkHistory = SystemReport::NetworkHistory{QList<double>{0.2, 0.8, 1.6, 0.9, 1.25},
                                                    QList<double>{0.05, 0.1, 0.4, 0.3, 0.2}};
    r.proxy = SystemReport::Proxy{true, QStringLiteral("HTTP"), QStringLiteral("proxy.local:3128")};
    SystemReport::Battery b;
    b.percent = 64.0;
    b.charging = true;
    b.status = QStringLiteral("Charging");
    b.timeLeft = QStringLiteral("1:12 until full");
    b.cycleCount = 212;
    b.capacity = 88;
    r.batteries = {b};
    SystemReport::Thermal t;
    t.batteryTemp = 31.5;
    t.systemPower = 14.2;
    t.adapterPower = 45.0;
    t.batteryPower = 18.3;
    r.thermal = t;
    r.topProcesses
        = {proc(4321, QStringLiteral("firefox-esr"), 31.5, 8.2, QStringLiteral("/usr/lib/firefox-esr/firefox-esr")),
           proc(2210, QStringLiteral("Xorg"), 7.0, 2.1, QStringLiteral("/usr/lib/xorg/Xorg")),
           proc(5120, QStringLiteral("code"), 4.2, 12.5, QStringLiteral("/usr/share/code/code"))};
    return r;
}

} // namespace roror::test
