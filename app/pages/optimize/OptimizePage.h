#pragma once

#include "app/pages/common/RunReportPage.h"
#include "app/pages/optimize/OptimizeTaskRows.h"
#include "core/model/AppLocalization.h"

#include <optional>
#include <QtQml/qqmlregistration.h>

namespace roror {

// What the Optimize page shows and the roads of its buttons, read from the one model.
class OptimizePage : public roror::RunReportPage {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool hasOptimized READ hasOptimized NOTIFY lastRunChanged)
    Q_PROPERTY(QString headerSymbol READ headerSymbol NOTIFY lastRunChanged)
    Q_PROPERTY(QString lastOptimizeText READ lastOptimizeText NOTIFY lastRunChanged)
    Q_PROPERTY(QString summaryText READ summaryText NOTIFY summaryChanged)
    Q_PROPERTY(QString contractSubtitle READ contractSubtitle NOTIFY summaryChanged)
    Q_PROPERTY(roror::RecordListModelBase* rows READ rows CONSTANT)

public:
    explicit OptimizePage(QObject* parent = nullptr);

    bool hasReport() const override;
    bool reportIsEmpty() const override;
    bool hasOptimized() const;
    QString headerSymbol() const;
    // Empty when no optimization was ever recorded.
    QString lastOptimizeText() const;
    QString summaryText() const;
    QString contractSubtitle() const;
    OptimizeTaskRows* rows() { return &m_rows; }

    Q_INVOKABLE void preview();
    Q_INVOKABLE void startOptimizing();
    Q_INVOKABLE void openSafeguards();

    static QString summaryText(qsizetype entryCount, AppResolvedLanguage language);
    static QString contractSubtitle(qsizetype checkCount, AppResolvedLanguage language);

private:
    void connectModel(AppModel& model) override;
    void reportChanged() override;

    OptimizeTaskRows m_rows;
};

} // namespace roror
