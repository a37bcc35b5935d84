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

// One core's small vertical gauge.
struct CoreCell {
    Q_GADGET
    QML_VALUE_TYPE(coreCell)
    Q_PROPERTY(int index MEMBER index)
    Q_PROPERTY(bool isPlaceholder MEMBER isPlaceholder)
    Q_PROPERTY(QString caption READ caption)
    Q_PROPERTY(double fillHeight READ fillHeight)
    Q_PROPERTY(double fraction READ fraction)
    Q_PROPERTY(QString percentText READ percentText)
    Q_PROPERTY(QString tone READ toneName)

public:
    static constexpr double gaugeHeight = 34;
    static constexpr double minimumFill = 3;

    int index = 0;
    double value = 0;
    // A clear slot that keeps the cells of a short last row as wide as those above.
    bool isPlaceholder = false;

    // Counted from 1: the first core is C1.
    QString caption() const;
    // Never below a 3-point sliver, full 34 above 100 %.
    static double fillHeight(double value);
    double fillHeight() const { return fillHeight(value); }
    // The fill's share, limited to 0...1, which its animation follows.
    double fraction() const;
    QString percentText() const;
    ThemeTone tone() const { return LoadColor::tone(value); }
    QString toneName() const { return toName(tone()); }

    bool operator==(const CoreCell&) const = default;
};

namespace CoreLoadGrid {

// Rows needed for `count` cells at `columns` per row (columns of at least 1).
int rowCount(int count, int columns);
// The core index of each slot, row by row; -1 marks a clear placeholder that keeps the cells of
// a short last row as wide as those above.
QList<QList<int>> cellIndexes(int count, int columns);

} // namespace CoreLoadGrid

// The CPU card's drawing: total load as bar and ring, one gauge per core, the estimate note and
// the load line.
struct CPUVisualBody {
    Q_GADGET
    QML_VALUE_TYPE(cpuVisualBody)
    Q_PROPERTY(double fraction READ fraction)
    Q_PROPERTY(QString tone READ toneName)
    Q_PROPERTY(QString percentText READ percentText)
    Q_PROPERTY(QVariantList coreRows READ coreRows)
    Q_PROPERTY(QVariantList coreCells READ coreCells)
    Q_PROPERTY(int coreCellCount READ coreCellCount)
    Q_PROPERTY(bool showsGrid READ showsGrid)
    Q_PROPERTY(bool coresEstimated MEMBER coresEstimated)
    Q_PROPERTY(QString loadText MEMBER loadText)
    Q_PROPERTY(int columns MEMBER columns)

public:
    std::optional<double> usage;
    QList<double> cores;
    bool coresEstimated = false;
    QString loadText;
    int columns = 4;
    AppResolvedLanguage language = AppResolvedLanguage::english;

    double fraction() const { return usage ? LoadColor::barFraction(*usage) : 0.0; }
    ThemeTone tone() const { return LoadColor::tone(usage); }
    QString toneName() const { return toName(tone()); }
    QString percentText() const;
    bool showsGrid() const { return !cores.isEmpty(); }
    // The grid as rows of slots, placeholders included.
    QVariantList coreRows() const;
    // The same slots row after row in one list.
    QVariantList coreCells() const;
    // The slots one by one, for views that take them by position.
    int coreCellCount() const;
    Q_INVOKABLE roror::CoreCell coreCell(int position) const;

    bool operator==(const CPUVisualBody&) const = default;
};

} // namespace roror
