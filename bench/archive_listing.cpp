// Archive inspection benchmark: answers "does this zip carry an installer?" for one archive
// repeatedly and prints the median time per answer.
//   archive_listing ARCHIVE [runs]
#include "core/engines/installer/ZipInstallerCheck.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace roror;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: archive_listing ARCHIVE [runs]\n");
        return 2;
    }
    const int runs = args.size() > 2 ? std::max(1, args.at(2).toInt()) : 20;
    std::vector<double> times;
    bool answer = false;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        answer = ZipInstallerCheck::zipHoldsInstaller(args.at(1));
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("answer=%s\n", answer ? "yes" : "no");
    std::printf("median_ms=%.2f best_ms=%.2f\n", times[times.size() / 2], times.front());
    return 0;
}
