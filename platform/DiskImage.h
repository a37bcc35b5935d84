#pragma once

#include <QString>

namespace roror {

// Update images on this platform are gzip-compressed tar archives holding the application folder.
// Attaching extracts one into a folder; detaching removes that folder again.
namespace DiskImage {

// Extracts `imagePath` into the existing folder `mountPoint`; false when the archive cannot be read.
bool attach(const QString& imagePath, const QString& mountPoint);

// Removes the mount folder and everything in it, never following links. Failures are ignored.
void detach(const QString& mountPoint);

} // namespace DiskImage

} // namespace roror
