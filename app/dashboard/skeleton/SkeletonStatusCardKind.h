#pragma once

#include "core/model/AppLocalization.h"

#include <QList>
#include <QObject>
#include <QtQml/qqmlregistration.h>
#include <QString>
#include <QVariantList>
#include <optional>

namespace roror {

// The cards the placeholder imitates before the first snapshot, in their order; no GPU card.
enum class SkeletonStatusCardKind { cpu, memory, disk, power, network, processes };

QString toRaw(SkeletonStatusCardKind kind);
// Exactly the six raw values; anything else gives no kind.
std::optional<SkeletonStatusCardKind> skeletonStatusCardKindFromRaw(const QString& raw);
QList<SkeletonStatusCardKind> allSkeletonStatusCardKinds();

// One placeholder metric row: the widths of its two blocks and whether a bar follows.
struct SkeletonMetricLine {
    Q_GADGET
    QML_VALUE_TYPE(skeletonMetricLine)
    Q_PROPERTY(double labelWidth MEMBER labelWidth)
    Q_PROPERTY(double valueWidth MEMBER valueWidth)
    Q_PROPERTY(bool showBar MEMBER showBar)

public:
    double labelWidth = 0;
    double valueWidth = 0;
    bool showBar = false;
    bool operator==(const SkeletonMetricLine&) const = default;
};

// One placeholder card.
struct SkeletonStatusCard {
    Q_GADGET
    QML_VALUE_TYPE(skeletonStatusCard)
    Q_PROPERTY(QString id READ id)
    Q_PROPERTY(QString title READ title)
    Q_PROPERTY(QString systemImage READ systemImage)
    Q_PROPERTY(QVariantList lines READ lineList)

public:
    SkeletonStatusCardKind card = SkeletonStatusCardKind::cpu;
    AppResolvedLanguage language = AppResolvedLanguage::english;

    QString id() const { return toRaw(card); }
    // "CPU" in both languages; the others in the given language.
    QString title() const;
    QString systemImage() const;
    // Three lines; the Network card has no bar under its second line.
    QList<SkeletonMetricLine> lines() const;
    QVariantList lineList() const;

    bool operator==(const SkeletonStatusCard&) const = default;
};

namespace DashboardStatusSkeleton {

// The six placeholder cards in case order.
QList<SkeletonStatusCard> cards(AppResolvedLanguage language);
// The status line under the grid: checking while a refresh runs, else waiting.
QString statusText(bool isRefreshing, AppResolvedLanguage language);

} // namespace DashboardStatusSkeleton

} // namespace roror
