// Smart Clean under a long protection list.
//   clean_protection <work> [files (default 10000)] [lines (default 10000)] [runs (default 7)]
// Cleans a generated cache of <files> files in folders of 100, each folder an entry, in turn under an
// empty list (which gives the default patterns) and under a list of <lines> lines, the two interleaved run by run with
// a fresh cache each time, and prints both medians and their ratio. Only the clean is timed; making the cache is not.
#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/engines/clean/LocalCleanExecutor.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using namespace roror;

namespace {

constexpr int kFilesPerFolder = 100;

// Folders named like the list's folder patterns, so the lookups of the long list find something to
// try at every level; each folder is an entry of the report, emptied and kept under either list, so
// both runs remove the same files.
QStringList makeCache(const QString& caches, int files)
{
    QStringList folders;
    for (int done = 0, folder = 0; done < files; ++folder) {
        const QString path = caches + QStringLiteral("/app%1").arg(folder * 5);
        if (!QDir().mkpath(path))
            return {};
        folders << path;
        const int dirFd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dirFd < 0)
            return {};
        for (int f = 0; f < kFilesPerFolder && done < files; ++f, ++done) {
            const QByteArray name = "f" + QByteArray::number(f);
            const int fd = ::openat(dirFd, name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (fd < 0 || ::write(fd, "cache", 5) != 5) {
                ::close(dirFd);
                return {};
            }
            ::close(fd);
        }
        ::close(dirFd);
    }
    return folders;
}

// Every kind of pattern, filed near the cache and far from it.
QStringList longList(int lines)
{
    QStringList patterns;
    for (int i = 0; i < lines; ++i) {
        switch (i % 5) {
        case 0:
            patterns << QStringLiteral("~/Library/Caches/app%1/keep").arg(i);
            break;
        case 1:
            patterns << QStringLiteral("~/Library/Caches/vendor%1*").arg(i);
            break;
        case 2:
            patterns << QStringLiteral("~/Projects/p%1/*/build").arg(i);
            break;
        case 3:
            patterns << QStringLiteral("$HOME/Library/Application Support/App%1").arg(i);
            break;
        default:
            patterns << QStringLiteral("/Volumes/Data%1/keep*").arg(i);
            break;
        }
    }
    return patterns;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: %s <work> [files] [lines] [runs]\n", argv[0]);
        return 2;
    }
    const QString work = QDir(args.at(1)).absolutePath();
    const int files = args.size() > 2 ? args.at(2).toInt() : 10000;
    const int lines = args.size() > 3 ? args.at(3).toInt() : 10000;
    const int runs = args.size() > 4 ? args.at(4).toInt() : 7;
    SettingsStore::setFilePath(work + QStringLiteral("/settings.ini"));

    struct Variant {
        const char* label;
        QString home;
        std::vector<double> ms;
        qint64 removed = 0;
    };
    Variant variants[] = {{"empty list (the defaults)", work + QStringLiteral("/empty"), {}},
                          {"long list", work + QStringLiteral("/long"), {}}};
    CleanWhitelistStore::save({}, variants[0].home);
    CleanWhitelistStore::save({longList(lines)}, variants[1].home);

    for (int run = -1; run < runs; ++run) { // run -1 warms up
        for (Variant& v : variants) {
            const QString caches = v.home + QStringLiteral("/Library/Caches");
            const QStringList folders = makeCache(caches, files);
            if (folders.isEmpty()) {
                std::fprintf(stderr, "cannot make the cache in %s\n", qPrintable(caches));
                return 1;
            }
            CleanPreviewReport report;
            for (const QString& folder : folders) {
                report.entries.append({QUuid::createUuid(), QStringLiteral("S"), folder, std::nullopt,
                                       CleanPreviewEntryStatus::cleanable});
            }
            QElapsedTimer timer;
            timer.start();
            const LocalCleanResult result = LocalCleanExecutor::clean(report, {v.home}, {});
            const double ms = timer.nsecsElapsed() / 1e6;
            if (result.errorDescription) {
                std::fprintf(stderr, "%s\n", qPrintable(*result.errorDescription));
                return 1;
            }
            v.removed = result.removedCount;
            if (run >= 0)
                v.ms.push_back(ms);
        }
    }
    for (const Variant& v : variants) {
        std::printf("clean of %d files, %-27s median %8.1f ms (removed %lld items)\n", files, v.label, median(v.ms),
                    static_cast<long long>(v.removed));
    }
    std::printf("list of %d lines\n", lines);
    std::printf("ratio long list / empty list = %.2fx (limit 2x)\n", median(variants[1].ms) / median(variants[0].ms));
    return 0;
}
