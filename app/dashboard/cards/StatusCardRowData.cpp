#include "app/dashboard/cards/StatusCardRowData.h"

#include "core/model/SizeText.h"

namespace roror {

MetricBarRow MetricBarRow::forRow(const StatusCardRowData& row)
{
    return MetricBarRow{row.label, row.value, row.percent, row.colorOverride, false};
}

QString MetricBarRow::percentText() const
{
    return percent ? SizeText::percent(percent) : QString();
}

} // namespace roror
