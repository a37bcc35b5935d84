#pragma once

#include "app/dashboard/cards/LoadColor.h"

#include <QList>
#include <QObject>
#include <QtQml/qqmlregistration.h>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QVariantList>

namespace roror {

namespace NetworkRateColumn {

// "0 MB/s" below 0.01 (negative rates too), kilobytes (1 MB = 1024 KB) below 1, else megabytes.
QString rateText(double rate);

} // namespace NetworkRateColumn

namespace NetworkSparkline {

inline constexpr int maximumSamples = 60;

// The last 60 samples (all when there are fewer).
QList<double> drawnSamples(const QList<double>& values);

// The points of one series in an area of `size`: spread from the left to the right edge, a value
// of 0 or less 2 points above the bottom, one at or above `peak` 2 points below the top. Fewer
// than two samples give no points (the sparkline then draws its flat line).
QList<QPointF> sparklinePoints(const QList<double>& samples, double peak, QSizeF size);

} // namespace NetworkSparkline

// The Network card's drawing: download and upload rates over one shared-scale chart.
struct NetworkVisualBody {
    Q_GADGET
    QML_VALUE_TYPE(networkVisualBody)
    Q_PROPERTY(QString downText READ downText)
    Q_PROPERTY(QString upText READ upText)
    Q_PROPERTY(QVariantList rxHistory READ rxList)
    Q_PROPERTY(QVariantList txHistory READ txList)
    Q_PROPERTY(double peak READ sharedPeak)

public:
    static constexpr ThemeTone downColor = ThemeTone::orbCool;
    static constexpr ThemeTone upColor = ThemeTone::success;

    double downRate = 0;
    double upRate = 0;
    QList<double> rxHistory;
    QList<double> txHistory;

    // Over both whole histories (the rates when both are empty), never below 0.01, so both
    // series compare directly.
    double sharedPeak() const;
    QString downText() const { return NetworkRateColumn::rateText(downRate); }
    QString upText() const { return NetworkRateColumn::rateText(upRate); }
    QVariantList rxList() const;
    QVariantList txList() const;

    // One series drawn in an area of width x height: the line's points, and the area under it
    // closed along the bottom edge (empty when the series draws its flat line instead).
    Q_INVOKABLE QList<QPointF> linePoints(bool download, double width, double height) const;
    Q_INVOKABLE QList<QPointF> areaPoints(bool download, double width, double height) const;

    bool operator==(const NetworkVisualBody&) const = default;
};

} // namespace roror
