#pragma once

#include "app/pages/optimize/OptimizeTaskRows.h"
#include "core/model/AppLocalization.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>
#include <QtQml/qqmlregistration.h>

namespace roror {

class AppModel;

// What the Optimize page shows and the roads of its buttons, read from the one model.
// The page is busy only while the model runs the optimize feature; busy wins over a report.
class OptimizePage : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(roror::AppModel* model READ model WRITE setModel NOTIFY modelChanged)
    // While true (the page is on screen) the relative date of the last-run line is kept current.
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY stateChanged)
    Q_PROPERTY(bool hasReport READ hasReport NOTIFY stateChanged)
    Q_PROPERTY(bool showsContract READ showsContract NOTIFY stateChanged)
    Q_PROPERTY(bool showsPreview READ showsPreview NOTIFY stateChanged)
    Q_PROPERTY(bool reportIsEmpty READ reportIsEmpty NOTIFY stateChanged)
    Q_PROPERTY(bool hasOptimized READ hasOptimized NOTIFY lastRunChanged)
    Q_PROPERTY(QString headerSymbol READ headerSymbol NOTIFY lastRunChanged)
    Q_PROPERTY(QString lastOptimizeText READ lastOptimizeText NOTIFY lastRunChanged)
    Q_PROPERTY(QString summaryText READ summaryText NOTIFY summaryChanged)
    Q_PROPERTY(QString contractSubtitle READ contractSubtitle NOTIFY summaryChanged)
    Q_PROPERTY(roror::OptimizeTaskRows* rows READ rows CONSTANT)

public:
    explicit OptimizePage(QObject* parent = nullptr);

    AppModel* model() const { return m_model; }
    void setModel(AppModel* model);
    bool active() const { return m_active; }
    void setActive(bool active);

    bool busy() const;
    bool hasReport() const;
    bool showsContract() const { return !hasReport() && !busy(); }
    bool showsPreview() const { return hasReport() && !busy(); }
    bool reportIsEmpty() const;
    bool hasOptimized() const;
    QString headerSymbol() const;
    // Empty when no optimization was ever recorded.
    QString lastOptimizeText() const;
    QString summaryText() const;
    QString contractSubtitle() const;
    OptimizeTaskRows* rows() { return &m_rows; }

    // Never shown; it only reaches the actions.
    bool debug = false;
    // The moment relative dates are measured from; tests replace it.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

    Q_INVOKABLE void preview();
    Q_INVOKABLE void startOptimizing();
    Q_INVOKABLE void openSafeguards();

    static QString summaryText(qsizetype entryCount, AppResolvedLanguage language);
    static QString contractSubtitle(qsizetype checkCount, AppResolvedLanguage language);

signals:
    void modelChanged();
    void activeChanged();
    void stateChanged();
    void lastRunChanged();
    void summaryChanged();

private:
    void reportChanged();

    QPointer<AppModel> m_model;
    QList<QMetaObject::Connection> m_connections;
    OptimizeTaskRows m_rows;
    bool m_active = false;
    QTimer m_clockTimer;
};

} // namespace roror
