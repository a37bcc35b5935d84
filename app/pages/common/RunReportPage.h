#pragma once

#include "app/pages/common/FeaturePage.h"

#include <QTimer>

namespace roror {

// What the Smart Clean and Optimize pages share beyond the busy rule: a preview report held by the
// model, the contract or preview shown in its place, and a last-run line whose relative date is
// kept current while the page is on screen. Busy wins over a report.
class RunReportPage : public roror::FeaturePage {
    Q_OBJECT
    QML_ANONYMOUS
    // While true (the page is on screen) the relative date of the last-run line is kept current.
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(bool hasReport READ hasReport NOTIFY stateChanged)
    Q_PROPERTY(bool showsContract READ showsContract NOTIFY stateChanged)
    Q_PROPERTY(bool showsPreview READ showsPreview NOTIFY stateChanged)
    Q_PROPERTY(bool reportIsEmpty READ reportIsEmpty NOTIFY stateChanged)

public:
    bool active() const { return m_active; }
    void setActive(bool active);

    virtual bool hasReport() const = 0;
    virtual bool reportIsEmpty() const = 0;
    bool showsContract() const { return !hasReport() && !busy(); }
    bool showsPreview() const { return hasReport() && !busy(); }

    // Never shown; it only reaches the actions.
    bool debug = false;

signals:
    void activeChanged();
    void stateChanged();
    void lastRunChanged();
    void summaryChanged();

protected:
    RunReportPage(AppFeature feature, QObject* parent);

    // Connects the model's report and last-run signals to reportChanged() and lastRunChanged().
    virtual void connectModel(AppModel& model) = 0;
    // Takes the model's current report into the page's rows and announces it.
    virtual void reportChanged() = 0;
    void announceReport();

private:
    void attach() final;
    void languageChanged() final;
    void busyStateChanged() final { emit stateChanged(); }

    bool m_active = false;
    QTimer m_clockTimer;
};

} // namespace roror
