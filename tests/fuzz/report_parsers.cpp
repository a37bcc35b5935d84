// The status and analysis document readers.
#include "core/model/SystemReportParser.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace roror;
    const QByteArray input = fuzz::bytes(data, size);
    try {
        SystemReportParser::parseStatus(input);
    } catch (const SystemReportParser::Error&) {
    }
    try {
        SystemReportParser::parseAnalysis(input);
    } catch (const SystemReportParser::Error&) {
    }
    return 0;
}
