#include "core/support/NaturalCompare.h"

namespace roror {

namespace {

int compareFolded(QChar a, QChar b)
{
    const QString fa = QString(a).toCaseFolded();
    const QString fb = QString(b).toCaseFolded();
    return fa.compare(fb);
}

} // namespace

int localizedStandardCompare(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const QChar ca = a.at(i);
        const QChar cb = b.at(j);
        if (ca.isDigit() && cb.isDigit() && ca.unicode() < 128 && cb.unicode() < 128) {
            qsizetype ei = i;
            qsizetype ej = j;
            while (ei < a.size() && a.at(ei).unicode() < 128 && a.at(ei).isDigit())
                ++ei;
            while (ej < b.size() && b.at(ej).unicode() < 128 && b.at(ej).isDigit())
                ++ej;
            // Compare digit runs by value: skip leading zeros, then length, then digits.
            qsizetype si = i;
            qsizetype sj = j;
            while (si < ei - 1 && a.at(si) == QLatin1Char('0'))
                ++si;
            while (sj < ej - 1 && b.at(sj) == QLatin1Char('0'))
                ++sj;
            const qsizetype la = ei - si;
            const qsizetype lb = ej - sj;
            if (la != lb)
                return la < lb ? -1 : 1;
            for (qsizetype k = 0; k < la; ++k) {
                if (a.at(si + k) != b.at(sj + k))
                    return a.at(si + k) < b.at(sj + k) ? -1 : 1;
            }
            i = ei;
            j = ej;
            continue;
        }
        const int c = compareFolded(ca, cb);
        if (c != 0)
            return c < 0 ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

int localizedCaseInsensitiveCompare(const QString& a, const QString& b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace roror
