// The clean report text: a captured terminal report or a plain list of paths.
#include "core/engines/clean/CleanPreviewParser.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace roror;
    CleanPreviewParser::parse(QString::fromUtf8(fuzz::bytes(data, size)));
    return 0;
}
