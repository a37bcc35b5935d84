#pragma once

#include <QString>

namespace roror {

// Update images on this platform are gzip-compressed tar archives holding the application folder.
// Attaching extracts one into a folder; detaching removes that folder again.
namespace DiskImage {

enum class AttachResult {
    attached,
    unreadable, // not an archive, or it could not be unpacked
    tooLarge,   // it would unpack to more than the limit; unpacking stopped there
};

// What the archive's own listing says it holds.
struct Listing {
    bool readable = false;
    bool tooLarge = false; // the sizes passed the limit; the listing stopped there
    qint64 bytes = 0;      // sum of the entries' sizes, as far as listed
    qint64 entries = 0;
};

// Lists `imagePath` and adds up the sizes of its entries, stopping once they pass `byteLimit`.
Listing list(const QString& imagePath, qint64 byteLimit);

// Unpacks `imagePath` into the existing folder `mountPoint`, stopping (tooLarge) as soon as more
// than `streamLimit` bytes of unpacked archive would be handed to the extraction; what was written
// up to then stays for the caller to detach.
AttachResult extract(const QString& imagePath, const QString& mountPoint, qint64 streamLimit);

// Lists, then extracts `imagePath` into `mountPoint`: refused when the listed sizes pass `byteLimit`,
// and stopped when the unpacked archive turns out larger than its listing promised.
AttachResult attach(const QString& imagePath, const QString& mountPoint, qint64 byteLimit);

// Removes the mount folder and everything in it, never following links. Failures are ignored.
void detach(const QString& mountPoint);

} // namespace DiskImage

} // namespace roror
