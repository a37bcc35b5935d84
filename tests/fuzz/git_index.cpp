// A git index file as the Project Cleanup scan reads it; the first byte picks the object name size
// (odd: SHA-256). The rest of the input also goes through the quoted-path and config readers.
#include "core/engines/purge/GitIndex.h"
#include "core/engines/purge/GitRepositories.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace roror;
    if (size == 0)
        return 0;
    const QByteArray rest = fuzz::bytes(data + 1, size - 1);
    GitIndex::readPaths(rest, (data[0] & 1) ? 32 : 20);
    for (const QByteArray& line : rest.split('\n'))
        GitRepositories::unquotedPath(line);
    GitRepositories::configUsesSha256(rest);
    return 0;
}
