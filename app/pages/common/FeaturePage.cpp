#include "app/pages/common/FeaturePage.h"

#include "app/model/AppModel.h"
#include "core/model/LocalizationSettings.h"

namespace roror {

FeaturePage::FeaturePage(AppFeature feature, QObject* parent)
    : QObject(parent)
    , m_feature(feature)
{
    connect(&LocalizationSettings::shared(), &LocalizationSettings::preferenceChanged, this,
            [this] { languageChanged(); });
}

FeaturePage::~FeaturePage() = default;

void FeaturePage::setModel(AppModel* model)
{
    if (m_model == model)
        return;
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (m_model) {
        connect(m_model, &AppModel::isRunningChanged, this, &FeaturePage::updateBusy);
        connect(m_model, &AppModel::runningFeatureChanged, this, &FeaturePage::updateBusy);
        // The pointer is already cleared when the model announces its end.
        connect(m_model, &QObject::destroyed, this, [this] {
            updateBusy();
            attach();
            emit modelChanged();
        });
    }
    updateBusy();
    attach();
    emit modelChanged();
}

void FeaturePage::updateBusy()
{
    const bool busy = m_model && m_model->isRunning() && m_model->runningFeature() == m_feature;
    if (busy == m_busy)
        return;
    m_busy = busy;
    busyStateChanged();
    emit busyChanged();
}

void FeaturePage::setClock(std::function<QDateTime()> clock)
{
    m_clock = std::move(clock);
}

QDateTime FeaturePage::now() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

} // namespace roror
