#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace roror {

// The Optimize dry run: one entry per catalogue step, in catalogue order.
struct OptimizePreviewReport {
    struct Entry {
        QString id;
        QString name; // in the language of the moment the entry was built
        QString description;
        bool safe = true;
        std::optional<QString> detail; // the live line measured on this machine

        bool operator==(const Entry&) const = default;
    };

    QList<Entry> entries;

    bool operator==(const OptimizePreviewReport&) const = default;
};

} // namespace roror
