// The update feed record, and what the update flow asks of a decoded one.
#include "core/update/RororUpdateInfo.h"
#include "core/update/UpdateError.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace roror;
    try {
        const RororUpdateInfo info = RororUpdateInfo::decode(fuzz::bytes(data, size));
        info.displayVersion();
        info.installableDownloadURL(QStringLiteral("1.2.3"), QStringLiteral("45"));
        info.installableDownloadURL(info.version, info.build);
    } catch (const UpdateError& error) {
        error.errorDescription();
    }
    return 0;
}
