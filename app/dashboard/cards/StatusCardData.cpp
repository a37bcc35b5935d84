#include "app/dashboard/cards/StatusCardData.h"

namespace roror {

namespace {
template <class... F>
struct Overload : F... {
    using F::operator()...;
};
template <class... F>
Overload(F...) -> Overload<F...>;
} // namespace

QString StatusCardData::bodyKind() const
{
    return std::visit(Overload{
                          [](const std::monostate&) { return QString(); },
                          [](const CPUVisualBody&) { return QStringLiteral("CPUVisualBody"); },
                          [](const MemoryVisualBody&) { return QStringLiteral("MemoryVisualBody"); },
                          [](const GPUVisualBody&) { return QStringLiteral("GPUVisualBody"); },
                          [](const DiskVisualBody&) { return QStringLiteral("DiskVisualBody"); },
                          [](const PowerVisualBody&) { return QStringLiteral("PowerVisualBody"); },
                          [](const NetworkVisualBody&) { return QStringLiteral("NetworkVisualBody"); },
                          [](const ProcessVisualBody&) { return QStringLiteral("ProcessVisualBody"); },
                      },
                      customBody);
}

QVariant StatusCardData::bodyValue() const
{
    return std::visit(Overload{
                          [](const std::monostate&) { return QVariant(); },
                          [](const auto& body) { return QVariant::fromValue(body); },
                      },
                      customBody);
}

QVariantList StatusCardData::rowList() const
{
    QVariantList list;
    for (const StatusCardRowData& row : rows)
        list.append(QVariant::fromValue(MetricBarRow::forRow(row)));
    return list;
}

} // namespace roror
