#include "platform/DiskImage.h"

#include "platform/ToolRunner.h"

#include <QProcess>
#include <limits>

namespace roror::DiskImage {

namespace {

const QString kTar = QStringLiteral("/usr/bin/tar");
const QString kGzip = QStringLiteral("/bin/gzip");
constexpr qint64 kChunk = 64 * 1024;

// Room in the unpacked stream beyond the listed sizes: each entry's header with a long name and
// link target and the padding of its data, and the archive's closing blocks.
qint64 streamAllowance(qint64 entries)
{
    constexpr qint64 perEntry = 3 * 512 + 2 * 4096 + 511;
    constexpr qint64 closing = 2 * 10240;
    return entries * perEntry + closing;
}

void end(QProcess& process)
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(-1);
    }
}

bool endedWell(const QProcess& process)
{
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

Listing list(const QString& imagePath, qint64 byteLimit)
{
    Listing listing;
    QProcess tar;
    // Numeric owners keep the owner column free of blanks, so the size is always the third column.
    tar.start(kTar,
              {QStringLiteral("-t"), QStringLiteral("-v"), QStringLiteral("-z"), QStringLiteral("--numeric-owner"),
               QStringLiteral("-f"), imagePath});
    if (!tar.waitForStarted(-1))
        return listing;
    tar.closeWriteChannel();
    const auto readLines = [&] {
        while (tar.canReadLine()) {
            const QList<QByteArray> columns = tar.readLine().simplified().split(' ');
            ++listing.entries;
            // Device entries show "major,minor" there; they hold no data.
            bool ok = false;
            const qint64 size = columns.value(2).toLongLong(&ok);
            if (ok && size > 0)
                listing.bytes = size > std::numeric_limits<qint64>::max() - listing.bytes
                    ? std::numeric_limits<qint64>::max()
                    : listing.bytes + size;
            if (listing.bytes > byteLimit) {
                listing.tooLarge = true;
                return false;
            }
        }
        return true;
    };
    while (tar.waitForReadyRead(-1)) {
        if (!readLines()) {
            end(tar);
            return listing;
        }
    }
    tar.waitForFinished(-1);
    if (!readLines())
        return listing;
    listing.readable = endedWell(tar);
    return listing;
}

AttachResult extract(const QString& imagePath, const QString& mountPoint, qint64 streamLimit)
{
    // The archive is unpacked by gzip and handed to tar through us, so we can count what tar gets.
    QProcess gzip;
    QProcess tar;
    gzip.setStandardInputFile(QProcess::nullDevice());
    gzip.start(kGzip, {QStringLiteral("-d"), QStringLiteral("-c"), QStringLiteral("--"), imagePath});
    // Ownership recorded in the archive is dropped: we may run as root and the files must be ours.
    tar.setProcessChannelMode(QProcess::MergedChannels);
    tar.start(kTar,
              {QStringLiteral("-x"), QStringLiteral("--no-same-owner"), QStringLiteral("-f"), QStringLiteral("-"),
               QStringLiteral("-C"), mountPoint});
    if (!gzip.waitForStarted(-1) || !tar.waitForStarted(-1)) {
        end(gzip);
        end(tar);
        return AttachResult::unreadable;
    }
    qint64 streamed = 0;
    for (;;) {
        if (gzip.bytesAvailable() == 0 && !gzip.waitForReadyRead(-1))
            break; // gzip is done
        const QByteArray chunk = gzip.read(kChunk);
        streamed += chunk.size();
        if (streamed > streamLimit) {
            end(gzip);
            end(tar);
            return AttachResult::tooLarge;
        }
        tar.write(chunk);
        while (tar.bytesToWrite() > 0) {
            if (!tar.waitForBytesWritten(-1)) {
                // tar gave up on the archive before its end.
                end(gzip);
                end(tar);
                return AttachResult::unreadable;
            }
        }
    }
    gzip.waitForFinished(-1);
    tar.closeWriteChannel();
    tar.waitForFinished(-1);
    return endedWell(gzip) && endedWell(tar) ? AttachResult::attached : AttachResult::unreadable;
}

AttachResult attach(const QString& imagePath, const QString& mountPoint, qint64 byteLimit)
{
    const Listing listing = list(imagePath, byteLimit);
    if (listing.tooLarge)
        return AttachResult::tooLarge;
    if (!listing.readable)
        return AttachResult::unreadable;
    return extract(imagePath, mountPoint, listing.bytes + streamAllowance(listing.entries));
}

void detach(const QString& mountPoint)
{
    if (mountPoint.isEmpty())
        return;
    runTool(QStringLiteral("/bin/rm"), {QStringLiteral("-r"), QStringLiteral("-f"), QStringLiteral("--"), mountPoint});
}

} // namespace roror::DiskImage
