#pragma once

#include <QByteArray>
#include <QVariant>
#include <QVariantMap>
#include <optional>

namespace roror::PropertyList {

// Reads a property list in XML or binary ("bplist00") form. Values become QVariant: string ->
// QString, integer -> qint64, real -> double, boolean -> bool, date -> QDateTime (UTC), data ->
// QByteArray, array and set -> QVariantList, dictionary with text keys -> QVariantMap. A dictionary
// with a key that is not text becomes a null QVariant. Nothing on malformed input.
std::optional<QVariant> parse(const QByteArray& data);

// The top-level dictionary, or nothing when the data is not a property list whose top level is a
// dictionary with text keys.
std::optional<QVariantMap> parseDictionary(const QByteArray& data);

} // namespace roror::PropertyList
