#pragma once

#include "app/dashboard/cards/LoadColor.h"
#include "core/model/AppLocalization.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>
#include <QString>
#include <optional>

namespace roror {

// The health score's verdict; the score is compared as the signed number it is.
enum class HealthBand { unmeasured, good, fair, highPressure };

HealthBand healthBand(std::optional<qint64> score);

// The first panel of the Overview: the health ring with its verdict and advice, the uptime,
// free-space and live chips, and the host line.
struct OverviewHeroCard {
    Q_GADGET
    QML_VALUE_TYPE(heroCard)
    Q_PROPERTY(bool hasScore READ hasScore)
    Q_PROPERTY(QString scoreText READ scoreText)
    Q_PROPERTY(double ringValue READ ringValue)
    Q_PROPERTY(QString tone READ toneName)
    Q_PROPERTY(QString healthLabel READ healthLabel)
    Q_PROPERTY(QString healthMessage READ healthMessage)
    Q_PROPERTY(QString uptimeText READ uptimeText)
    Q_PROPERTY(bool hasAvailableDisk READ hasAvailableDisk)
    Q_PROPERTY(QString availableDiskText READ availableDiskTextOrEmpty)
    Q_PROPERTY(bool isLive MEMBER isLive)
    Q_PROPERTY(QString hostSummary MEMBER hostSummary)

public:
    std::optional<qint64> score;
    std::optional<QString> uptime;
    std::optional<QString> availableDiskText;
    bool isLive = false;
    QString hostSummary;
    AppResolvedLanguage language = AppResolvedLanguage::english;

    HealthBand band() const { return healthBand(score); }
    ThemeTone tone() const;
    QString toneName() const { return toName(tone()); }
    QString healthLabel() const;
    QString healthMessage() const;
    // The gauge's fill (the gauge clamps it): the score / 100, 0 without a score.
    double ringValue() const { return score ? static_cast<double>(*score) / 100.0 : 0.0; }
    bool hasScore() const { return score.has_value(); }
    // The number as it is (sign included, no percent sign); "未知" / "N/A" without a score.
    QString scoreText() const;
    // The uptime chip: the snapshot's text as it is, "未检查" / "Not checked" without one.
    QString uptimeText() const;
    bool hasAvailableDisk() const { return availableDiskText.has_value(); }
    QString availableDiskTextOrEmpty() const { return availableDiskText.value_or(QString()); }

    bool operator==(const OverviewHeroCard&) const = default;
};

} // namespace roror
