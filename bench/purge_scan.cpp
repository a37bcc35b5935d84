// Project Cleanup scan benchmark.
//   purge_scan --generate ROOT [projects] [packagesPerProject]   builds the sample tree
//   purge_scan ROOT [runs]                                      times LocalPurgePreview::snapshot
#include "core/engines/purge/LocalPurgePreview.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <algorithm>
#include <vector>

using namespace roror;

namespace {

qint64 g_files = 0;

void writeFile(const QString& path, int bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    if (bytes > 0)
        file.write(QByteArray(bytes, 'x'));
    ++g_files;
}

void makeFiles(const QString& folder, int count, int seed)
{
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i)
        writeFile(folder + QStringLiteral("/f%1.js").arg(i), ((seed + i) * 37) % 3000);
}

// One npm-style package: a few folders of files and, every few packages, its own nested
// node_modules two levels deep.
void makePackage(const QString& folder, int index, int nesting)
{
    makeFiles(folder, 6, index);
    makeFiles(folder + QStringLiteral("/lib"), 12, index + 1);
    makeFiles(folder + QStringLiteral("/lib/internal/util"), 10, index + 2);
    makeFiles(folder + QStringLiteral("/dist/esm"), 8, index + 3);
    if (nesting < 2 && index % 4 == 0) {
        for (int k = 0; k < 2; ++k)
            makePackage(folder + QStringLiteral("/node_modules/dep%1").arg(k), index + k + 1, nesting + 1);
    }
}

void generate(const QString& root, int projects, int packages)
{
    for (int p = 0; p < projects; ++p) {
        const QString project = root + QStringLiteral("/workspace/group%1/project%2").arg(p % 4).arg(p);
        makeFiles(project + QStringLiteral("/src/components"), 40, p);
        makeFiles(project + QStringLiteral("/docs"), 10, p);
        // What the tools leave beside and inside their folders, so each one counts as build output.
        writeFile(project + QStringLiteral("/package.json"), 20);
        writeFile(project + QStringLiteral("/Cargo.toml"), 20);
        writeFile(project + QStringLiteral("/CMakeLists.txt"), 20);
        writeFile(project + QStringLiteral("/.gitignore"), 0);
        QFile ignore(project + QStringLiteral("/.gitignore"));
        if (ignore.open(QIODevice::WriteOnly))
            ignore.write("node_modules/\ntarget/\nbuild/\ndist/\n");
        for (int i = 0; i < packages; ++i)
            makePackage(project + QStringLiteral("/node_modules/pkg%1").arg(i), i, 0);
        for (int c = 0; c < 6; ++c)
            makeFiles(project + QStringLiteral("/target/debug/deps/crate%1").arg(c), 40, c);
        writeFile(project + QStringLiteral("/target/CACHEDIR.TAG"), 40);
        makeFiles(project + QStringLiteral("/build/intermediates/classes"), 150, p);
        writeFile(project + QStringLiteral("/build/CMakeCache.txt"), 400);
        // No stamp of its own: only git's ignore rules (repositories made by the script) tell.
        makeFiles(project + QStringLiteral("/dist/assets"), 30, p);
    }
    std::printf("generated %d projects, %lld files under %s\n", projects, static_cast<long long>(g_files),
                qPrintable(root));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args.at(1) == QLatin1String("--generate")) {
        generate(args.at(2), args.size() > 3 ? args.at(3).toInt() : 24, args.size() > 4 ? args.at(4).toInt() : 200);
        return 0;
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: purge_scan ROOT [runs] | purge_scan --generate ROOT [projects] [packages]\n");
        return 2;
    }
    const QString root = args.at(1);
    const int runs = args.size() > 2 ? std::max(1, args.at(2).toInt()) : 5;
    std::vector<double> times;
    PurgePreviewReport report;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        report = LocalPurgePreview::snapshot(root, 6);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    qint64 files = 0;
    for (const auto& entry : report.entries())
        files += entry.fileCount.value_or(0);
    std::printf("entries=%lld files=%lld bytes=%lld\n", static_cast<long long>(report.entries().size()),
                static_cast<long long>(files), static_cast<long long>(report.totalBytes()));
    std::printf("median_ms=%.1f best_ms=%.1f\n", times[times.size() / 2], times.front());
    return 0;
}
