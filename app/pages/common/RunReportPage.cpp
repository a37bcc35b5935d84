#include "app/pages/common/RunReportPage.h"

namespace roror {

RunReportPage::RunReportPage(AppFeature feature, QObject* parent)
    : FeaturePage(feature, parent)
{
    m_clockTimer.setInterval(30 * 1000);
    connect(&m_clockTimer, &QTimer::timeout, this, &RunReportPage::lastRunChanged);
}

void RunReportPage::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (m_active) {
        m_clockTimer.start();
        emit lastRunChanged();
    } else {
        m_clockTimer.stop();
    }
    emit activeChanged();
}

void RunReportPage::attach()
{
    if (AppModel* current = model())
        connectModel(*current);
    reportChanged();
    emit lastRunChanged();
}

void RunReportPage::languageChanged()
{
    emit lastRunChanged();
    emit summaryChanged();
}

void RunReportPage::announceReport()
{
    emit stateChanged();
    emit summaryChanged();
}

} // namespace roror
