// Property lists in XML and binary form (an application's Info.plist is outside input).
#include "core/engines/uninstall/PropertyList.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace roror;
    const QByteArray input = fuzz::bytes(data, size);
    PropertyList::parse(input);
    PropertyList::parseDictionary(input);
    return 0;
}
