#pragma once

#include "platform/linux/LinuxProcfs.h"

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <optional>
#include <string_view>

// Reading the kernel's process folders (/proc/<pid>) with plain system calls: one open folder, no
// path built twice, no allocation per file.
namespace roror::LinuxProcessFolders {

// Reads up to `size` bytes of a file below an open folder into `buffer`; the count read, absent
// when the file cannot be opened. With `untilLineEnd`, a read that ends a line ends the reading:
// the kernel hands a one-line file over whole, so the end of the file need not be asked for again.
std::optional<size_t> readIntoAt(int folder, const char* name, char* buffer, size_t size, bool untilLineEnd);

// Calls `visit(pidFolder, stat)` for each process folder of the open /proc listing `dir` whose
// stat line reads and parses; a process gone meanwhile is skipped. `pidFolder` names the folder
// below `dirfd(dir)`, for the process's other files.
template <typename Visit>
void forEachProcessStat(DIR* dir, Visit&& visit)
{
    const int procFd = ::dirfd(dir);
    char file[64];
    char buffer[4096];
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] < '1' || name[0] > '9' || std::strlen(name) > 20)
            continue;
        std::snprintf(file, sizeof file, "%s/stat", name);
        const auto used = readIntoAt(procFd, file, buffer, sizeof buffer, true);
        if (!used)
            continue;
        if (const auto stat = LinuxProcfs::parseProcessStat(std::string_view(buffer, *used)))
            visit(name, *stat);
    }
}

} // namespace roror::LinuxProcessFolders
