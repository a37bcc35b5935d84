#pragma once

#include "app/dashboard/cards/StatusCardRowData.h"
#include "app/dashboard/drawings/CPUVisualBody.h"
#include "app/dashboard/drawings/DiskVisualBody.h"
#include "app/dashboard/drawings/GPUVisualBody.h"
#include "app/dashboard/drawings/MemoryVisualBody.h"
#include "app/dashboard/drawings/NetworkVisualBody.h"
#include "app/dashboard/drawings/PowerVisualBody.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <variant>

namespace roror {

// A card's own drawing, one of the dashboard's drawings or none.
using StatusCardBody = std::variant<std::monostate, CPUVisualBody, MemoryVisualBody, GPUVisualBody, DiskVisualBody,
                                    PowerVisualBody, NetworkVisualBody, ProcessVisualBody>;

// One status card: header, optional drawing above the rows, rows.
struct StatusCardData {
    QString title;
    QString systemImage;
    QList<StatusCardRowData> rows;
    StatusCardBody customBody;

    // The grid keys its cells by the title; the titles of one card list are distinct.
    QString id() const { return title; }
    bool hasCustomBody() const { return !std::holds_alternative<std::monostate>(customBody); }
    // The name of the view component that draws the card's drawing ("CPUVisualBody", ...), empty
    // without one.
    QString bodyKind() const;
    // The drawing as a value the view reads; invalid without one.
    QVariant bodyValue() const;
    // The rows as the frame draws them.
    QVariantList rowList() const;

    bool operator==(const StatusCardData&) const = default;
};

} // namespace roror
