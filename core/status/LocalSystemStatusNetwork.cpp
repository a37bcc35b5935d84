#include "core/status/LocalSystemStatus.h"

#include "core/status/LocalSystemStatusState.h"

#include <QRegularExpression>
#include <algorithm>

namespace roror::LocalSystemStatus {

using namespace detail;

QList<LocalNetworkInterface> collectInterfaces(const QList<InterfaceEntry>& entries)
{
    QList<LocalNetworkInterface> interfaces;
    QHash<QString, qsizetype> index;
    auto interfaceNamed = [&](const QString& name) -> LocalNetworkInterface& {
        auto it = index.constFind(name);
        if (it == index.constEnd()) {
            it = index.insert(name, interfaces.size());
            interfaces.append(LocalNetworkInterface{name, std::nullopt, std::nullopt, std::nullopt});
        }
        return interfaces[*it];
    };
    for (const InterfaceEntry& entry : entries) {
        if (!entry.up || entry.loopback || !entry.hasAddress)
            continue;
        switch (entry.family) {
        case InterfaceEntry::Family::link: {
            if (!entry.rxBytes && !entry.txBytes)
                break;
            LocalNetworkInterface& i = interfaceNamed(entry.name);
            i.rxBytes = entry.rxBytes;
            i.txBytes = entry.txBytes;
            break;
        }
        case InterfaceEntry::Family::ipv4:
            if (entry.address && !entry.address->isEmpty())
                interfaceNamed(entry.name).ip = entry.address;
            break;
        case InterfaceEntry::Family::ipv6:
            if (entry.address && !entry.address->isEmpty()) {
                LocalNetworkInterface& i = interfaceNamed(entry.name);
                if (!i.ip)
                    i.ip = entry.address;
            }
            break;
        case InterfaceEntry::Family::other:
            break;
        }
    }
    interfaces.removeIf([](const LocalNetworkInterface& i) { return !i.rxBytes && !i.txBytes && !i.ip; });
    std::sort(interfaces.begin(), interfaces.end(), [](const auto& a, const auto& b) {
        if (a.ip.has_value() != b.ip.has_value())
            return a.ip.has_value();
        return a.name.normalized(QString::NormalizationForm_C).toUcs4()
            < b.name.normalized(QString::NormalizationForm_C).toUcs4();
    });
    return interfaces;
}

std::optional<double> networkRateMBs(std::optional<quint64> current, std::optional<quint64> previous, double elapsed)
{
    // A counter read for the first time has nothing to be measured against.
    if (!current || !previous || *current < *previous || !(elapsed > 0))
        return std::nullopt;
    return static_cast<double>(*current - *previous) * (1.0 / 1048576.0) / elapsed;
}

QList<SystemReport::Network> networkRates(const QList<LocalNetworkInterface>& interfaces, double now,
                                          QHash<QString, NetworkSample>& samples)
{
    QHash<QString, NetworkSample> next;
    QList<SystemReport::Network> records;
    records.reserve(interfaces.size());
    for (const LocalNetworkInterface& i : interfaces) {
        const auto before = samples.constFind(i.name);
        std::optional<double> rx;
        std::optional<double> tx;
        if (before != samples.constEnd()) {
            const double elapsed = now - before->timestamp;
            rx = networkRateMBs(i.rxBytes, before->rxBytes, elapsed);
            tx = networkRateMBs(i.txBytes, before->txBytes, elapsed);
        }
        next.insert(i.name, NetworkSample{i.rxBytes, i.txBytes, now});
        SystemReport::Network record;
        record.down = rx;
        record.up = tx;
        record.name = i.name;
        record.rxRateMBs = rx;
        record.txRateMBs = tx;
        record.ip = i.ip;
        records.append(record);
    }
    samples = next;
    return records;
}

QList<SystemReport::Network> networkSnapshot()
{
    const auto entries = source()->interfaceEntries();
    if (!entries || entries->isEmpty())
        return {};
    const QList<LocalNetworkInterface> interfaces = collectInterfaces(*entries);
    const double now = wallClock();
    auto& state = networkState();
    std::lock_guard lock(state.lock);
    return networkRates(interfaces, now, state.lastSamples);
}

SystemReport::NetworkHistory networkHistorySnapshot(const QList<SystemReport::Network>& network)
{
    double rx = 0;
    double tx = 0;
    for (const SystemReport::Network& n : network) {
        rx += n.rxRateMBs ? *n.rxRateMBs : n.down.value_or(0.0);
        tx += n.txRateMBs ? *n.txRateMBs : n.up.value_or(0.0);
    }
    auto& state = networkHistoryState();
    std::lock_guard lock(state.lock);
    appendToHistory(state.rx, rx);
    appendToHistory(state.tx, tx);
    return SystemReport::NetworkHistory{state.rx, state.tx};
}

SystemReport::Proxy parseProxy(const QString& text)
{
    SystemReport::Proxy proxy;
    proxy.enabled = false;
    for (const QString& kind : {QStringLiteral("SOCKS"), QStringLiteral("HTTPS"), QStringLiteral("HTTP")}) {
        if (!text.contains(kind + QStringLiteral("Enable : 1")))
            continue;
        proxy.enabled = true;
        proxy.type = kind;
        const QRegularExpression pattern(kind + QStringLiteral("Proxy\\s*:\\s*([^\\n]+)"));
        const QRegularExpressionMatch match = pattern.match(text);
        if (match.hasMatch() && match.lastCapturedIndex() >= 1)
            proxy.host = match.captured(1).trimmed();
        return proxy;
    }
    return proxy;
}

std::optional<SystemReport::Proxy> proxySnapshot()
{
    const auto reading = source()->proxy();
    if (!reading)
        return std::nullopt;
    SystemReport::Proxy proxy;
    proxy.enabled = reading->enabled;
    proxy.type = reading->type;
    proxy.host = reading->host;
    return proxy;
}

} // namespace roror::LocalSystemStatus
