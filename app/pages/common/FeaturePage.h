#pragma once

#include "app/model/AppModel.h"
#include "core/model/AppFeature.h"
#include "core/model/AppLocalization.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>
#include <functional>

namespace roror {

// What the four report pages share: the one model, the busy rule, the interface language and the
// moment relative dates are measured from. The QML page creates one of these per visit, so the
// page-local state below it starts from its defaults every time the page is shown.
class FeaturePage : public QObject {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(roror::AppModel* model READ model WRITE setModel NOTIFY modelChanged)
    // Only this page's own run makes it busy; a run of another feature leaves it alone.
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)

public:
    ~FeaturePage() override;

    AppModel* model() const { return m_model; }
    void setModel(AppModel* model);
    bool busy() const { return m_busy; }

    // Relative dates are measured against this clock (the current time unless a test fixes it).
    void setClock(std::function<QDateTime()> clock);
    QDateTime now() const;

signals:
    void modelChanged();
    void busyChanged();

protected:
    FeaturePage(AppFeature feature, QObject* parent);

    // Connects to the new model's signals and reads its state; called with the model already set.
    virtual void attach() = 0;
    // The interface language changed: every text re-evaluates.
    virtual void languageChanged() = 0;
    // Called after `busy` changed.
    virtual void busyStateChanged() { }

private:
    void updateBusy();

    AppFeature m_feature;
    QPointer<AppModel> m_model;
    bool m_busy = false;
    std::function<QDateTime()> m_clock;
};

} // namespace roror
