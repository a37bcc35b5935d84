#pragma once

#include "app/dashboard/cards/StatusCardRowData.h"
#include "core/model/AppLocalization.h"

#include <QList>
#include <QObject>
#include <QtQml/qqmlregistration.h>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <optional>

namespace roror {

// The GPU card's drawing: header line, usage row, video-memory row and note.
struct GPUVisualBody {
    Q_GADGET
    QML_VALUE_TYPE(gpuVisualBody)
    Q_PROPERTY(bool hasHeaderLine READ hasHeaderLine)
    Q_PROPERTY(QString headerLine READ headerLineOrEmpty)
    Q_PROPERTY(roror::MetricBarRow usageRow READ usageRow)
    Q_PROPERTY(bool hasVramRow READ hasVramRow)
    Q_PROPERTY(roror::MetricBarRow vramRow READ vramRowOrEmpty)
    Q_PROPERTY(bool hasNote READ hasNote)
    Q_PROPERTY(QString note READ noteOrEmpty)

public:
    std::optional<QString> name;
    std::optional<double> usage;
    std::optional<double> memoryUsed;
    std::optional<double> memoryTotal;
    std::optional<qint64> coreCount;
    std::optional<QString> note;
    std::optional<double> temperature;
    AppResolvedLanguage language = AppResolvedLanguage::english;

    // Name, core count and temperature joined with " · "; absent when none is known.
    std::optional<QString> headerLine() const;
    // Megabytes as "%.0f MB" below 1024, else gigabytes as "%.1f GB".
    static QString formatGB(double megabytes);
    MetricBarRow usageRow() const;
    // Only with a video-memory size above 0.
    std::optional<MetricBarRow> vramRow() const;

    bool hasHeaderLine() const { return headerLine().has_value(); }
    QString headerLineOrEmpty() const { return headerLine().value_or(QString()); }
    bool hasVramRow() const { return vramRow().has_value(); }
    MetricBarRow vramRowOrEmpty() const { return vramRow().value_or(MetricBarRow{}); }
    bool hasNote() const { return note && !note->isEmpty(); }
    QString noteOrEmpty() const { return note.value_or(QString()); }

    bool operator==(const GPUVisualBody&) const = default;
};

// One line of the Processes card's drawing: a name with its CPU share as figure and bar.
struct ProcessMetricRow {
    Q_GADGET
    QML_VALUE_TYPE(processMetricRow)
    Q_PROPERTY(QString name MEMBER name)
    Q_PROPERTY(bool hasPercent READ hasPercent)
    Q_PROPERTY(QString percentText READ percentText)
    Q_PROPERTY(double fraction READ fraction)
    Q_PROPERTY(QString tone READ toneName)

public:
    QString name;
    std::optional<double> percent;

    bool hasPercent() const { return percent.has_value(); }
    QString percentText() const;
    double fraction() const { return percent ? LoadColor::barFraction(*percent) : 0.0; }
    ThemeTone tone() const { return LoadColor::tone(percent); }
    QString toneName() const { return toName(tone()); }

    bool operator==(const ProcessMetricRow&) const = default;
};

// The Processes card's drawing: one metric line per top process.
struct ProcessVisualBody {
    Q_GADGET
    QML_VALUE_TYPE(processVisualBody)
    Q_PROPERTY(QVariantList rows READ rowList)
    Q_PROPERTY(int rowCount READ rowCount)

public:
    QList<StatusCardRowData> rows;

    QList<ProcessMetricRow> metricRows() const;
    QVariantList rowList() const;
    int rowCount() const { return static_cast<int>(rows.size()); }
    Q_INVOKABLE roror::ProcessMetricRow row(int position) const { return metricRows().value(position); }

    bool operator==(const ProcessVisualBody&) const = default;
};

} // namespace roror
