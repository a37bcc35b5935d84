#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace roror::recordEquality {

// Texts in records compare under Unicode canonical equivalence, so a precomposed and a
// decomposed accented letter are the same text.
bool canonicallyEqual(const QString& a, const QString& b);

template <typename T>
bool same(const std::optional<T>& a, const std::optional<T>& b);
template <typename T>
bool same(const QList<T>& a, const QList<T>& b);

// Field comparison used by the records' equality: texts canonically, everything else with its
// own operator== (doubles therefore compare numerically: 0.0 equals -0.0).
inline bool same(const QString& a, const QString& b)
{
    return canonicallyEqual(a, b);
}

template <typename T>
bool same(const T& a, const T& b)
{
    return a == b;
}

template <typename T>
bool same(const std::optional<T>& a, const std::optional<T>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    return !a.has_value() || same(*a, *b);
}

template <typename T>
bool same(const QList<T>& a, const QList<T>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!same(a.at(i), b.at(i)))
            return false;
    }
    return true;
}

} // namespace roror::recordEquality
