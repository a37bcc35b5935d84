#pragma once

#include <QList>
#include <QVariant>
#include <QVariantList>

namespace roror {

// A list as QML reads it from a gadget's property: one variant per value (gadgets stay typed).
template <typename T>
QVariantList variantList(const QList<T>& values)
{
    QVariantList list;
    list.reserve(values.size());
    for (const T& value : values)
        list.append(QVariant::fromValue(value));
    return list;
}

} // namespace roror
