// Smart Clean preview benchmark.
//   clean_preview generate <home> <files>   builds a fake home whose catalogue folders hold <files> files
//   clean_preview locations <home>          prints the catalogue folders that exist, in catalogue order
//   clean_preview time <home> [runs]        times LocalCleanPreview::snapshot (one warm-up run first)
#include "core/engines/clean/LocalCleanPreview.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace roror;

namespace {

struct Share {
    const char* folder;
    int perMille;
};

// Where the files go; the caches folder holds far more than one walk counts, the others stay under it.
constexpr Share kShares[] = {
    {"Library/Caches/com.example.editor", 90},
    {"Library/Caches/com.example.mail", 80},
    {"Library/Caches/com.example.music", 80},
    {"Library/Caches/com.apple.Safari", 30},
    {"Library/Caches/Google/Chrome", 60},
    {"Library/Caches/Microsoft Edge", 20},
    {"Library/Caches/BraveSoftware/Brave-Browser", 20},
    {"Library/Caches/Firefox", 20},
    {"Library/Caches/Mozilla", 10},
    {"Library/Caches/Yarn", 50},
    {"Library/Application Support/Google/Chrome/Default/Service Worker/CacheStorage", 20},
    {"Library/Application Support/Google/Chrome/Default/Code Cache", 20},
    {"Library/Logs/com.example.editor", 20},
    {"Library/Logs/DiagnosticReports", 10},
    {"Library/Logs/InstallAssistant", 5},
    {"Library/Saved Application State/com.example.editor.savedState", 10},
    {"Library/HTTPStorages/com.example.mail", 20},
    {"Library/Developer/Xcode/DerivedData/App-abcdef", 50},
    {"Library/Developer/Xcode/DerivedData/ModuleCache.noindex", 40},
    {"Library/Developer/Xcode/Archives/2024-01-01", 20},
    {"Library/Developer/CoreSimulator/Caches/dyld", 40},
    {".npm/_cacache", 80},
    {"Library/pnpm/store/v3", 80},
    {".gradle/caches/modules-2", 60},
    {".cargo/registry/cache/index", 40},
    {"Library/Application Support/CrashReporter", 10},
    {".local/share/Trash/files", 15},
};

constexpr int kFilesPerFolder = 100;

struct Chunk {
    std::string folder;
    int files;
    int seed;
};

bool writeFile(int dirFd, const char* name, size_t size)
{
    const int fd = ::openat(dirFd, name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    static const std::string payload(16384, 'r');
    const bool ok = ::write(fd, payload.data(), size) == static_cast<ssize_t>(size);
    ::close(fd);
    return ok;
}

int generate(const QString& home, long total)
{
    std::vector<Chunk> chunks;
    long made = 0;
    int seed = 0;
    for (const Share& share : kShares) {
        long files = total * share.perMille / 1000;
        if (&share == &kShares[std::size(kShares) - 1])
            files = std::max(files, total - made); // rounding leftovers go to the last folder
        made += files;
        for (long done = 0, part = 0; done < files; done += kFilesPerFolder, ++part) {
            const int count = static_cast<int>(std::min<long>(kFilesPerFolder, files - done));
            const QString folder = QStringLiteral("%1/%2/part%3").arg(home, QString::fromUtf8(share.folder)).arg(part);
            chunks.push_back({QFile::encodeName(folder).toStdString(), count, seed++});
        }
    }
    for (const Chunk& chunk : chunks) {
        if (!QDir().mkpath(QFile::decodeName(chunk.folder.c_str()))) {
            std::fprintf(stderr, "cannot create %s\n", chunk.folder.c_str());
            return 1;
        }
    }
    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
        for (size_t i = next++; i < chunks.size(); i = next++) {
            const Chunk& chunk = chunks[i];
            const int dirFd = ::open(chunk.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (dirFd < 0) {
                failed = true;
                return;
            }
            for (int f = 0; f < chunk.files; ++f) {
                // Mostly small files of varied size, a few hidden ones, now and then a larger one.
                const int n = chunk.seed * kFilesPerFolder + f;
                const size_t size = (n % 97 == 0) ? 12000 + n % 4000 : 64 + (n * 131) % 3000;
                const std::string name = (n % 23 == 0 ? ".f" : "f") + std::to_string(f);
                if (!writeFile(dirFd, name.c_str(), size))
                    failed = true;
            }
            ::close(dirFd);
        }
    };
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < std::max(1u, std::thread::hardware_concurrency()); ++t)
        threads.emplace_back(work);
    for (auto& thread : threads)
        thread.join();
    if (failed) {
        std::fprintf(stderr, "could not write every file\n");
        return 1;
    }
    std::printf("files=%ld folders=%zu\n", made, chunks.size());
    return 0;
}

QStringList catalogueLocations(const QString& home)
{
    QStringList relative;
    for (const auto& row : LocalCleanPreview::userEssentialLocations())
        relative << row.path;
    for (const auto& browser : LocalCleanPreview::browserLocations())
        relative << browser.urls;
    const auto trash = LocalCleanPreview::trashLocations(home);
    for (const auto* rows :
         {&LocalCleanPreview::developerLocations(), &LocalCleanPreview::diagnosticsLocations(), &trash}) {
        for (const auto& row : *rows)
            relative << row.path;
    }
    QStringList existing;
    for (const QString& path : relative) {
        const QString absolute = path.startsWith(QLatin1Char('/')) ? path : home + QLatin1Char('/') + path;
        if (QFileInfo::exists(absolute))
            existing << absolute;
    }
    return existing;
}

int timeSnapshots(const QString& home, int runs)
{
    LocalCleanPreview::snapshot(home); // warm-up
    std::vector<double> seconds;
    CleanPreviewReport report;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        report = LocalCleanPreview::snapshot(home);
        seconds.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("snapshot_best=%.4f snapshot_median=%.4f entries=%lld\n", seconds.front(), seconds[seconds.size() / 2],
                static_cast<long long>(report.entries.size()));
    std::printf("summary=%s\n", qPrintable(report.summary.value_or(QString())));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: %s generate <home> <files> | locations <home> | time <home> [runs]\n", argv[0]);
        return 2;
    }
    const QString mode = args.at(1);
    const QString home = QDir(args.at(2)).absolutePath();
    // Language choice and everything else the core reads stay inside the benchmark's folder.
    SettingsStore::setFilePath(QDir(home).absoluteFilePath(QStringLiteral("../settings.ini")));
    if (mode == QLatin1String("generate") && args.size() >= 4)
        return generate(home, args.at(3).toLong());
    if (mode == QLatin1String("locations")) {
        for (const QString& path : catalogueLocations(home))
            std::printf("%s\n", QFile::encodeName(path).constData());
        return 0;
    }
    if (mode == QLatin1String("time"))
        return timeSnapshots(home, args.size() >= 4 ? args.at(3).toInt() : 5);
    std::fprintf(stderr, "unknown mode\n");
    return 2;
}
