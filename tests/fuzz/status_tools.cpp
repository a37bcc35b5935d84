// The parsers of the status tools' output (process table, swap, mounts, disk counters, proxy,
// battery line and details, hardware profile), each given the same text.
#include "core/status/LocalSystemStatus.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace roror;
    using namespace roror::LocalSystemStatus;
    const QString text = QString::fromUtf8(fuzz::bytes(data, size));
    ProcessList processes = parseProcessSnapshot(text);
    sortByCPU(processes);
    parseSwapUsage(text);
    parseMounts(text);
    parseDiskByteCounters(text);
    parseProxy(text);
    parseBatterySnapshot(text);
    parseBatteryDetails(text);
    const QMap<QString, QString> values = parseProfilerValues(text);
    for (const QString& value : values)
        intValue(value);
    return 0;
}
