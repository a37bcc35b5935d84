// The version rule on four texts (current version and build, latest version and build), one per line.
#include "core/update/UpdateVersionComparator.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace roror;
    const QList<QByteArray> parts = fuzz::pieces(data, size, 4);
    const QString a = QString::fromUtf8(parts[0]);
    const QString b = QString::fromUtf8(parts[2]);
    const int forward = UpdateVersionComparator::compareVersionStrings(a, b);
    const int backward = UpdateVersionComparator::compareVersionStrings(b, a);
    // An order: each version compares equal to itself and the two directions agree.
    if (forward != -backward || UpdateVersionComparator::compareVersionStrings(a, a) != 0)
        std::abort();
    const auto build
        = [](const QByteArray& text) { return text.isEmpty() ? std::nullopt : std::optional(QString::fromUtf8(text)); };
    const bool newer = UpdateVersionComparator::isUpdateAvailable(a, build(parts[1]), b, build(parts[3]));
    // A release is never newer than itself.
    if (newer && a == b && parts[1] == parts[3])
        std::abort();
    return 0;
}
