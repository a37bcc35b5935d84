#pragma once

#include "app/pages/clean/CleanPreviewRows.h"
#include "core/engines/clean/CleanPreviewReport.h"
#include "core/model/AppLocalization.h"

#include <QDateTime>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>
#include <QtQml/qqmlregistration.h>

namespace roror {

class AppModel;

// What the Smart Clean page shows and the roads of its buttons, read from the one model.
// The page is busy only while the model runs the clean feature; busy wins over a report.
class CleanPage : public QObject {
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
    Q_PROPERTY(bool hasCleaned READ hasCleaned NOTIFY lastRunChanged)
    Q_PROPERTY(QString headerSymbol READ headerSymbol NOTIFY lastRunChanged)
    Q_PROPERTY(QString lastCleanText READ lastCleanText NOTIFY lastRunChanged)
    Q_PROPERTY(QString summaryText READ summaryText NOTIFY summaryChanged)
    Q_PROPERTY(roror::CleanPreviewRows* rows READ rows CONSTANT)

public:
    explicit CleanPage(QObject* parent = nullptr);

    AppModel* model() const { return m_model; }
    void setModel(AppModel* model);
    bool active() const { return m_active; }
    void setActive(bool active);

    bool busy() const;
    bool hasReport() const;
    bool showsContract() const { return !hasReport() && !busy(); }
    bool showsPreview() const { return hasReport() && !busy(); }
    bool reportIsEmpty() const;
    bool hasCleaned() const;
    QString headerSymbol() const;
    // Empty when no clean was ever recorded.
    QString lastCleanText() const;
    QString summaryText() const;
    CleanPreviewRows* rows() { return &m_rows; }

    // Never shown; it only reaches the actions.
    bool debug = false;
    // The moment relative dates are measured from; tests replace it.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

    Q_INVOKABLE void preview();
    Q_INVOKABLE void startCleaning();
    Q_INVOKABLE void openProtectionList();

    // `text` shortened in the middle so that, wrapped at any character, it fits `lines` lines of
    // `width` in `font`: a long path keeps its start and its end.
    Q_INVOKABLE static QString fitMiddle(const QString& text, const QFont& font, qreal width, int lines);

    // The panel's subtitle for a report.
    static QString summaryText(const CleanPreviewReport& report, AppResolvedLanguage language);

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
    CleanPreviewRows m_rows;
    bool m_active = false;
    QTimer m_clockTimer;
};

} // namespace roror
