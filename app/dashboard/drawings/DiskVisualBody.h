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

// One volume as the disk card shows it (DiskVisualBody::Item).
struct DiskVisualBodyItem {
    Q_GADGET
    QML_VALUE_TYPE(diskItem)
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString name READ displayName)
    Q_PROPERTY(QString usedText MEMBER usedText)
    Q_PROPERTY(QString freeText MEMBER freeText)
    Q_PROPERTY(bool hasTotal READ hasTotal)
    Q_PROPERTY(QString totalText READ totalTextOrEmpty)
    Q_PROPERTY(bool showsDevice READ showsDevice)
    Q_PROPERTY(QString deviceText READ deviceTextOrEmpty)
    Q_PROPERTY(bool isExternal MEMBER isExternal)
    Q_PROPERTY(bool hasPercent READ hasPercent)
    Q_PROPERTY(QString percentText READ percentText)
    Q_PROPERTY(double fraction READ fraction)
    Q_PROPERTY(QString tone READ toneName)
    Q_PROPERTY(bool hasDetail READ hasDetail)
    Q_PROPERTY(QString detail READ detailOrEmpty)

public:
    QString id;
    QString label;
    std::optional<QString> volumeName;
    QString usedText;
    QString freeText;
    std::optional<QString> totalText;
    std::optional<QString> deviceText;
    bool isExternal = false;
    std::optional<double> percent;
    std::optional<QString> detail;

    // The volume's own name, else the group label.
    QString displayName() const { return volumeName.value_or(label); }
    bool hasTotal() const { return totalText.has_value(); }
    QString totalTextOrEmpty() const { return totalText.value_or(QString()); }
    // The device follows the detail line, so it shows only with one.
    bool showsDevice() const { return detail && deviceText && !deviceText->isEmpty(); }
    QString deviceTextOrEmpty() const { return deviceText.value_or(QString()); }
    bool hasPercent() const { return percent.has_value(); }
    QString percentText() const;
    // The fill's share: the percentage limited to 0...1, 0 without one.
    double fraction() const;
    ThemeTone tone() const { return LoadColor::tone(percent); }
    QString toneName() const { return toName(tone()); }
    bool hasDetail() const { return detail.has_value(); }
    QString detailOrEmpty() const { return detail.value_or(QString()); }

    Q_INVOKABLE double fillWidth(double width) const;

    bool operator==(const DiskVisualBodyItem&) const = default;
};

namespace DiskCapsuleRow {

// A present percentage always shows at least a 4-point stub; none shows no fill at all.
double fillWidth(std::optional<double> percent, double width);

} // namespace DiskCapsuleRow

namespace DiskIOPair {

// "0 MB/s" under 0.01 (or unknown), kilobytes under 1 MB/s, else megabytes with one decimal.
QString rateText(std::optional<double> rate);

} // namespace DiskIOPair

// The Disk card's drawing: one row per volume, the fullness hint and the read/write line.
struct DiskVisualBody {
    Q_GADGET
    QML_VALUE_TYPE(diskVisualBody)
    Q_PROPERTY(QVariantList disks READ diskList)
    Q_PROPERTY(int diskCount READ diskCount)
    Q_PROPERTY(bool showsHint READ showsHint)
    Q_PROPERTY(bool hintIsCritical READ hintIsCritical)
    Q_PROPERTY(bool showsIO READ showsIO)
    Q_PROPERTY(QString readRateText READ readRateText)
    Q_PROPERTY(QString writeRateText READ writeRateText)

public:
    using Item = DiskVisualBodyItem;

    QList<Item> disks;
    std::optional<double> readRate;
    std::optional<double> writeRate;
    QList<double> readHistory;
    QList<double> writeHistory;

    // The largest known percentage; 0 when none is known.
    double worstFillPercent() const;
    bool showsHint() const { return worstFillPercent() >= 90; }
    bool hintIsCritical() const { return worstFillPercent() >= 95; }
    bool showsIO() const;
    QString readRateText() const { return DiskIOPair::rateText(readRate); }
    QString writeRateText() const { return DiskIOPair::rateText(writeRate); }
    QVariantList diskList() const;
    int diskCount() const { return static_cast<int>(disks.size()); }
    Q_INVOKABLE roror::DiskVisualBodyItem disk(int position) const { return disks.value(position); }

    bool operator==(const DiskVisualBody&) const = default;
};

} // namespace roror
