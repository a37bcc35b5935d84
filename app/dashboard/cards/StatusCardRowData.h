#pragma once

#include "app/dashboard/cards/LoadColor.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>
#include <QString>
#include <optional>

namespace roror {

// One label/value line of a status card, with an optional load that draws it as a bar.
struct StatusCardRowData {
    Q_GADGET
    QML_VALUE_TYPE(statusCardRow)
    Q_PROPERTY(QString label MEMBER label)
    Q_PROPERTY(QString value MEMBER value)

public:
    QString label;
    QString value;
    std::optional<double> percent;
    std::optional<ThemeTone> colorOverride;

    // Two rows of one card with equal label and value share it.
    QString id() const { return label + QLatin1Char('-') + value; }
    bool operator==(const StatusCardRowData&) const = default;
};

// A label, a value and, with a load, the load in colour over a thin bar.
struct MetricBarRow {
    Q_GADGET
    QML_VALUE_TYPE(metricBarRow)
    Q_PROPERTY(QString label MEMBER label)
    Q_PROPERTY(QString value MEMBER value)
    Q_PROPERTY(bool showsValue READ showsValue)
    Q_PROPERTY(bool hasPercent READ hasPercent)
    Q_PROPERTY(QString percentText READ percentText)
    Q_PROPERTY(double fraction READ fraction)
    Q_PROPERTY(QString tone READ toneName)

public:
    QString label;
    QString value;
    std::optional<double> percent;
    std::optional<ThemeTone> color;
    bool hideValueWhenPercent = false;

    // The status card's own line: the row as it stands, value always shown.
    static MetricBarRow forRow(const StatusCardRowData& row);

    ThemeTone resolvedColor() const { return LoadColor::tone(percent, color); }
    bool showsValue() const { return !(percent && hideValueWhenPercent); }
    bool hasPercent() const { return percent.has_value(); }
    // Empty without a load (nothing is drawn at the right end then).
    QString percentText() const;
    double fraction() const { return percent ? LoadColor::barFraction(*percent) : 0.0; }
    QString toneName() const { return toName(resolvedColor()); }

    bool operator==(const MetricBarRow&) const = default;
};

} // namespace roror
