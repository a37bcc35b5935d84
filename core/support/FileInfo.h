#pragma once

#include <QString>
#include <optional>
#include <sys/types.h>

struct stat;

namespace roror {

// What one lstat says about an item; links are never followed.
struct FileInfo {
    bool isDirectory = false;
    bool isRegularFile = false;
    bool isSymbolicLink = false;
    qint64 logicalSize = 0;   // st_size
    qint64 allocatedSize = 0; // st_blocks * 512
    qint64 accessTime = 0;    // seconds since the epoch
    qint64 modificationTime = 0;
    dev_t device = 0;
    ino_t inode = 0;
};

std::optional<FileInfo> fileInfo(const QString& path);

// The record for what an lstat/fstatat call returned.
FileInfo fileInfoFromStat(const struct stat& st);

// "Size on disk" of one item: allocated size, else logical size, else 0 (a missing item is 0).
qint64 sizeOnDisk(const QString& path);

// Logical size of one item (0 when missing).
qint64 logicalSize(const QString& path);

// Folders that the Finder shows as one item (bundles); the extension is compared without case.
bool isPackageExtension(const QString& extension);

} // namespace roror
