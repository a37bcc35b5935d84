#pragma once

#include "app/dashboard/cards/LoadColor.h"
#include "core/model/AppLocalization.h"

#include <QList>
#include <QObject>
#include <QtQml/qqmlregistration.h>
#include <QString>
#include <QVariantList>
#include <optional>

namespace roror {

// A fact chip of the power drawing (PowerVisualBody::Chip); equal when all three fields are.
struct PowerVisualBodyChip {
    Q_GADGET
    QML_VALUE_TYPE(powerChip)
    Q_PROPERTY(QString icon MEMBER icon)
    Q_PROPERTY(QString text MEMBER text)
    Q_PROPERTY(QString tint READ tintName)

public:
    QString icon;
    QString text;
    ThemeTone tint = ThemeTone::muted;

    QString tintName() const { return toName(tint); }
    bool operator==(const PowerVisualBodyChip&) const = default;
};

// One wattage of the power flow row.
struct PowerWattChip {
    Q_GADGET
    QML_VALUE_TYPE(powerWattChip)
    Q_PROPERTY(QString icon MEMBER icon)
    Q_PROPERTY(QString label MEMBER label)
    Q_PROPERTY(QString wattText READ wattText)
    Q_PROPERTY(QString tint READ tintName)

public:
    QString icon;
    QString label;
    double watts = 0;
    ThemeTone tint = ThemeTone::muted;

    QString wattText() const;
    QString tintName() const { return toName(tint); }
    bool operator==(const PowerWattChip&) const = default;
};

namespace BatteryGlyph {

// The fill inside a glyph of inner width `width`: (width - 4) x the charge, at least 4 points
// for any charge above 0, none for an empty battery.
double fillWidth(double normalized, double width);

} // namespace BatteryGlyph

namespace PowerFlowRow {

// Adapter, system, then battery charge or drain (by the charging state, not the sign).
QList<PowerWattChip> chips(std::optional<double> adapter, std::optional<double> system, std::optional<double> battery,
                           bool isCharging, AppResolvedLanguage language);

} // namespace PowerFlowRow

namespace FlowChipRow {

// Consecutive rows of two, whatever the width.
QList<QList<PowerVisualBodyChip>> rows(const QList<PowerVisualBodyChip>& chips);

} // namespace FlowChipRow

// The Power card's drawing when there is a battery.
struct PowerVisualBody {
    Q_GADGET
    QML_VALUE_TYPE(powerVisualBody)
    Q_PROPERTY(QString percentText READ percentText)
    Q_PROPERTY(QString tone READ toneName)
    Q_PROPERTY(double fraction READ fraction)
    Q_PROPERTY(bool isCharging MEMBER isCharging)
    Q_PROPERTY(QString statusText MEMBER statusText)
    Q_PROPERTY(bool hasPowerFlow READ hasPowerFlow)
    Q_PROPERTY(QVariantList flowChips READ flowChipList)
    Q_PROPERTY(QVariantList chipRows READ chipRowList)
    Q_PROPERTY(int flowChipCount READ flowChipCount)
    Q_PROPERTY(int chipRowCount READ chipRowCount)

public:
    using Chip = PowerVisualBodyChip;

    std::optional<double> percent;
    bool isCharging = false;
    QString statusText;
    std::optional<double> adapterPower;
    std::optional<double> systemPower;
    std::optional<double> batteryPower;
    QList<Chip> chips;
    AppResolvedLanguage language = AppResolvedLanguage::english;

    // The battery's own thresholds: 10 and below danger, 20 and below amber.
    ThemeTone tone() const;
    QString toneName() const { return toName(tone()); }
    double fraction() const { return percent ? LoadColor::barFraction(*percent) : 0.0; }
    // "—" for an unknown charge.
    QString percentText() const;
    bool hasPowerFlow() const;
    QVariantList flowChipList() const;
    QVariantList chipRowList() const;
    int flowChipCount() const;
    Q_INVOKABLE roror::PowerWattChip flowChip(int position) const;
    int chipRowCount() const { return static_cast<int>(FlowChipRow::rows(chips).size()); }
    Q_INVOKABLE int chipCount(int row) const { return static_cast<int>(FlowChipRow::rows(chips).value(row).size()); }
    Q_INVOKABLE roror::PowerVisualBodyChip chip(int row, int column) const
    {
        return FlowChipRow::rows(chips).value(row).value(column);
    }

    bool operator==(const PowerVisualBody&) const = default;
};

} // namespace roror
