#pragma once

#include "app/pages/clean/CleanPreviewRows.h"
#include "app/pages/common/RunReportPage.h"
#include "core/engines/clean/CleanPreviewReport.h"
#include "core/model/AppLocalization.h"

#include <QFont>
#include <optional>
#include <QtQml/qqmlregistration.h>

namespace roror {

// What the Smart Clean page shows and the roads of its buttons, read from the one model.
class CleanPage : public roror::RunReportPage {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool hasCleaned READ hasCleaned NOTIFY lastRunChanged)
    Q_PROPERTY(QString headerSymbol READ headerSymbol NOTIFY lastRunChanged)
    Q_PROPERTY(QString lastCleanText READ lastCleanText NOTIFY lastRunChanged)
    Q_PROPERTY(QString summaryText READ summaryText NOTIFY summaryChanged)
    Q_PROPERTY(roror::RecordListModelBase* rows READ rows CONSTANT)
    // The theme's colours the rows' status colours take (see CleanStatusStyle).
    Q_PROPERTY(QColor accentColor READ accentColor WRITE setAccentColor NOTIFY paletteChanged)
    Q_PROPERTY(QColor mutedColor READ mutedColor WRITE setMutedColor NOTIFY paletteChanged)

public:
    explicit CleanPage(QObject* parent = nullptr);

    bool hasReport() const override;
    bool reportIsEmpty() const override;
    bool hasCleaned() const;
    QString headerSymbol() const;
    // Empty when no clean was ever recorded.
    QString lastCleanText() const;
    QString summaryText() const;
    CleanPreviewRows* rows() { return &m_rows; }
    QColor accentColor() const { return m_rows.accentColor(); }
    void setAccentColor(const QColor& color);
    QColor mutedColor() const { return m_rows.mutedColor(); }
    void setMutedColor(const QColor& color);

    Q_INVOKABLE void preview();
    Q_INVOKABLE void startCleaning();
    Q_INVOKABLE void openProtectionList();

    // `text` shortened in the middle so that, wrapped at any character, it fits `lines` lines of
    // `width` in `font`: a long path keeps its start and its end.
    Q_INVOKABLE static QString fitMiddle(const QString& text, const QFont& font, qreal width, int lines);

    // The panel's subtitle for a report.
    static QString summaryText(const CleanPreviewReport& report, AppResolvedLanguage language);

signals:
    void paletteChanged();

private:
    void connectModel(AppModel& model) override;
    void reportChanged() override;

    CleanPreviewRows m_rows;
};

} // namespace roror
