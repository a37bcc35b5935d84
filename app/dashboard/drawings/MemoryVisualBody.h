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

// One legend line of the memory drawing.
struct MemoryStatRow {
    Q_GADGET
    QML_VALUE_TYPE(memoryStatRow)
    Q_PROPERTY(QString swatch READ swatchName)
    Q_PROPERTY(double swatchOpacity MEMBER swatchOpacity)
    Q_PROPERTY(QString label MEMBER label)
    Q_PROPERTY(QString value MEMBER value)

public:
    ThemeTone swatch = ThemeTone::line;
    double swatchOpacity = 1;
    QString label;
    QString value;

    QString swatchName() const { return toName(swatch); }
    bool operator==(const MemoryStatRow&) const = default;
};

// Where the stacked bar's segments sit in a bar of a given width.
struct MemoryBarGeometry {
    double usedWidth = 0;
    bool showsSwapMark = false;
    double swapX = 0;
    double swapWidth = 0;
    bool operator==(const MemoryBarGeometry&) const = default;
};

namespace MemoryStackedBar {

// The used segment from the leading edge; the swap mark (only above 5 % swap and 5 % used) at
// most 18 % of the used segment, never under 3 points, ending where the used segment ends.
MemoryBarGeometry geometry(double usedPercent, std::optional<double> swapPercent, double width);

} // namespace MemoryStackedBar

// The Memory card's drawing: the used share, the stacked bar and the legend.
struct MemoryVisualBody {
    Q_GADGET
    QML_VALUE_TYPE(memoryVisualBody)
    Q_PROPERTY(QString percentText READ percentText)
    Q_PROPERTY(QString tone READ toneName)
    Q_PROPERTY(double usedFraction READ usedFraction)
    Q_PROPERTY(double usedPercent MEMBER usedPercent)
    Q_PROPERTY(bool showsSwapMark READ showsSwapMark)
    Q_PROPERTY(QVariantList legend READ legendList)
    Q_PROPERTY(int legendCount READ legendCount)
    Q_PROPERTY(bool hasPressure READ hasPressure)
    Q_PROPERTY(QString pressureText READ pressureText)

public:
    double usedPercent = 0;
    std::optional<double> swapPercent;
    std::optional<qint64> usedBytes;
    std::optional<qint64> totalBytes;
    std::optional<qint64> availBytes;
    std::optional<qint64> cachedBytes;
    std::optional<qint64> swapUsedBytes;
    std::optional<qint64> swapTotalBytes;
    std::optional<QString> pressure;
    AppResolvedLanguage language = AppResolvedLanguage::english;

    QString percentText() const;
    ThemeTone tone() const { return LoadColor::tone(usedPercent); }
    QString toneName() const { return toName(tone()); }
    double usedFraction() const { return LoadColor::barFraction(usedPercent); }
    bool showsSwapMark() const { return MemoryStackedBar::geometry(usedPercent, swapPercent, 100).showsSwapMark; }
    // Memory, then Swap (with a swap size), Avail, Cache (when some); the pressure line apart.
    QList<MemoryStatRow> legend() const;
    QVariantList legendList() const;
    int legendCount() const { return static_cast<int>(legend().size()); }
    Q_INVOKABLE roror::MemoryStatRow legendRow(int position) const { return legend().value(position); }
    bool hasPressure() const { return pressure && !pressure->isEmpty(); }
    QString pressureText() const { return pressure.value_or(QString()); }

    Q_INVOKABLE double usedWidth(double width) const;
    Q_INVOKABLE double swapMarkX(double width) const;
    Q_INVOKABLE double swapMarkWidth(double width) const;

    bool operator==(const MemoryVisualBody&) const = default;
};

} // namespace roror
