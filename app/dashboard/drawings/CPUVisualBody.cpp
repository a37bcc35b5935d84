#include "app/dashboard/drawings/CPUVisualBody.h"

#include "app/dashboard/DashboardText.h"
#include "core/model/SizeText.h"

#include <algorithm>
#include <cmath>

namespace roror {

QString CoreCell::caption() const
{
    return QStringLiteral("C") + QString::number(index + 1);
}

double CoreCell::fillHeight(double value)
{
    const double f = value / 100.0;
    if (std::isnan(f) || f <= 0)
        return minimumFill;
    if (f > 1)
        return gaugeHeight;
    return std::max(minimumFill, gaugeHeight * f);
}

double CoreCell::fraction() const
{
    return LoadColor::barFraction(value);
}

QString CoreCell::percentText() const
{
    return SizeText::percent(value);
}

namespace CoreLoadGrid {

int rowCount(int count, int columns)
{
    if (count <= 0 || columns < 1)
        return 0;
    return (count + columns - 1) / columns;
}

QList<QList<int>> cellIndexes(int count, int columns)
{
    QList<QList<int>> rows;
    const int n = rowCount(count, columns);
    for (int r = 0; r < n; ++r) {
        QList<int> row;
        for (int c = 0; c < columns; ++c) {
            const int i = r * columns + c;
            row.append(i < count ? i : -1);
        }
        rows.append(row);
    }
    return rows;
}

} // namespace CoreLoadGrid

QString CPUVisualBody::percentText() const
{
    return DashboardText::percent(usage, language);
}

QVariantList CPUVisualBody::coreRows() const
{
    QVariantList rows;
    for (const QList<int>& slotRow : CoreLoadGrid::cellIndexes(static_cast<int>(cores.size()), std::max(columns, 1))) {
        QVariantList row;
        for (int i : slotRow)
            row.append(QVariant::fromValue(i >= 0 ? CoreCell{i, cores[i], false} : CoreCell{0, 0, true}));
        rows.append(QVariant(row));
    }
    return rows;
}

QVariantList CPUVisualBody::coreCells() const
{
    QVariantList cells;
    for (const QVariant& row : coreRows())
        cells.append(row.toList());
    return cells;
}

int CPUVisualBody::coreCellCount() const
{
    return CoreLoadGrid::rowCount(static_cast<int>(cores.size()), std::max(columns, 1)) * std::max(columns, 1);
}

CoreCell CPUVisualBody::coreCell(int position) const
{
    if (position < 0 || position >= cores.size())
        return CoreCell{0, 0, true};
    return CoreCell{position, cores[position], false};
}

} // namespace roror
