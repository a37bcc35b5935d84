#include "core/model/RecordEquality.h"

namespace roror::recordEquality {

bool canonicallyEqual(const QString& a, const QString& b)
{
    if (a == b)
        return true;
    return a.normalized(QString::NormalizationForm_D) == b.normalized(QString::NormalizationForm_D);
}

} // namespace roror::recordEquality
