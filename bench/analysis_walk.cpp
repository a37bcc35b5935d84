// Storage analysis walk benchmark.
//
//   analysis_walk generate DIR [FILES] [FOLDERS]  builds a tree of FILES files (default 200,000) in
//                                                 FOLDERS folders (default 2,000) with fixed sizes
//   analysis_walk walk DIR [RUNS] [WORKERS]       times LocalAnalysis::snapshot RUNS times (default 5)
//                                                 after one warm-up run, WORKERS threads (0 = two per core)
//   analysis_walk once DIR [WORKERS]              one snapshot, for timing and peak memory from outside
//
// bench/analysis_walk.sh runs it next to du and gdu on the same tree.

#include "core/engines/analysis/LocalAnalysis.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

long peakResidentKiB()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool makeFolder(const std::string& path)
{
    return ::mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

// 20 top-level folders, each holding the rest of the folders one level down, the files spread evenly.
// Sizes are fixed by the file's number; files are sparse, so generating is quick and uses no space.
int generate(const std::string& root, long files, long folders)
{
    if (!makeFolder(root)) {
        std::perror(root.c_str());
        return 1;
    }
    const long topLevel = std::min<long>(20, folders);
    std::vector<std::string> all;
    for (long t = 0; t < topLevel; ++t) {
        const std::string top = root + "/top" + std::to_string(t);
        all.push_back(top);
    }
    for (long f = topLevel; f < folders; ++f)
        all.push_back(all[static_cast<size_t>(f % topLevel)] + "/sub" + std::to_string(f));
    for (const std::string& folder : all) {
        if (!makeFolder(folder)) {
            std::perror(folder.c_str());
            return 1;
        }
    }
    for (long i = 0; i < files; ++i) {
        const std::string& folder = all[static_cast<size_t>(i % folders)];
        const std::string path = folder + "/file" + std::to_string(i) + ".dat";
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) {
            std::perror(path.c_str());
            return 1;
        }
        const off_t size = static_cast<off_t>((static_cast<unsigned long long>(i) * 2654435761ULL) % 1048576ULL);
        if (::ftruncate(fd, size) != 0)
            std::perror(path.c_str());
        ::close(fd);
    }
    std::printf("generated %ld files in %ld folders under %s\n", files, folders, root.c_str());
    return 0;
}

double snapshotMs(const QString& root, int workers, roror::AnalysisReport* report)
{
    const auto start = std::chrono::steady_clock::now();
    roror::AnalysisReport result = roror::LocalAnalysis::snapshot(root, workers);
    const auto end = std::chrono::steady_clock::now();
    if (report)
        *report = std::move(result);
    return std::chrono::duration<double, std::milli>(end - start).count();
}

int walk(const QString& root, int runs, int workers)
{
    roror::AnalysisReport report;
    snapshotMs(root, workers, &report); // warm-up
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(snapshotMs(root, workers, nullptr));
    std::sort(times.begin(), times.end());
    std::printf("snapshot (workers %d): median %.1f ms, min %.1f ms over %d runs; %lld files, %lld bytes, "
                "%lld entries, %lld large files; peak RSS %ld KiB\n",
                workers, times[times.size() / 2], times.front(), runs,
                static_cast<long long>(report.totalFiles.value_or(0)),
                static_cast<long long>(report.totalSize.value_or(0)), static_cast<long long>(report.entries.size()),
                static_cast<long long>(report.largeFiles.size()), peakResidentKiB());
    return 0;
}

int once(const QString& root, int workers)
{
    const long before = peakResidentKiB();
    roror::AnalysisReport report;
    const double ms = snapshotMs(root, workers, &report);
    std::printf("%.1f ms, %lld files, %lld bytes, peak RSS %ld KiB (%ld KiB before the walk)\n", ms,
                static_cast<long long>(report.totalFiles.value_or(0)),
                static_cast<long long>(report.totalSize.value_or(0)), peakResidentKiB(), before);
    return 0;
}

int usage()
{
    std::fprintf(stderr,
                 "usage: analysis_walk generate DIR [FILES] [FOLDERS]\n"
                 "       analysis_walk walk DIR [RUNS] [WORKERS]\n"
                 "       analysis_walk once DIR [WORKERS]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return usage();
    const std::string mode = argv[1];
    const std::string dir = argv[2];
    auto number = [&](int index, long fallback) { return argc > index ? std::atol(argv[index]) : fallback; };
    if (mode == "generate")
        return generate(dir, number(3, 200000), std::max(1L, number(4, 2000)));
    const QString root = QString::fromLocal8Bit(dir.c_str());
    if (mode == "walk")
        return walk(root, static_cast<int>(std::max(1L, number(3, 5))), static_cast<int>(number(4, 0)));
    if (mode == "once")
        return once(root, static_cast<int>(number(3, 0)));
    return usage();
}
