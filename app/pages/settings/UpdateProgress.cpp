#include "app/pages/settings/UpdateProgress.h"

#include "app/model/AppModel.h"
#include "core/model/LocalizationSettings.h"

#include <algorithm>
#include <cmath>

namespace roror {

UpdateProgress::UpdateProgress(QObject* parent)
    : QObject(parent)
{
    connect(&LocalizationSettings::shared(), &LocalizationSettings::preferenceChanged, this,
            &UpdateProgress::stateChanged);
}

void UpdateProgress::setModel(AppModel* model)
{
    if (model == m_model)
        return;
    m_connections.disconnectAll();
    m_model = model;
    if (m_model)
        m_connections << connect(m_model, &AppModel::updateInstallerStateChanged, this, &UpdateProgress::stateChanged);
    emit stateChanged();
    emit modelChanged();
}

QString UpdateProgress::stage() const
{
    using Kind = UpdateInstallerState::Kind;
    switch (m_model ? m_model->updateInstallerState().kind : Kind::idle) {
    case Kind::idle:
        return QStringLiteral("idle");
    case Kind::downloading:
        return QStringLiteral("downloading");
    case Kind::readyToInstall:
        return QStringLiteral("readyToInstall");
    case Kind::installing:
        return QStringLiteral("installing");
    case Kind::failed:
        return QStringLiteral("failed");
    }
    return QStringLiteral("idle");
}

double UpdateProgress::progress() const
{
    if (!m_model || m_model->updateInstallerState().kind != UpdateInstallerState::Kind::downloading)
        return 0.0;
    const double p = m_model->updateInstallerState().progress;
    return std::isnan(p) ? 0.0 : std::clamp(p, 0.0, 1.0);
}

QString UpdateProgress::percentText() const
{
    return percentText(progress());
}

QString UpdateProgress::percentText(double progress)
{
    return QString::asprintf("%.0f%%", progress * 100);
}

QString UpdateProgress::failureMessage() const
{
    if (!m_model || m_model->updateInstallerState().kind != UpdateInstallerState::Kind::failed)
        return {};
    const QString message = m_model->updateInstallerState().message.trimmed();
    if (!message.isEmpty())
        return m_model->updateInstallerState().message;
    return LocalizationSettings::shared().text(QStringLiteral("更新没有完成，请稍后再试。"),
                                               QStringLiteral("The update did not finish. Please try again later."));
}

void UpdateProgress::cancel()
{
    if (!m_model)
        return;
    if (UpdateInstaller* installer = m_model->updateInstaller())
        installer->cancel();
    m_model->setUpdateInstallerState(UpdateInstallerState::idle());
    m_model->setShowingUpdateSheet(false);
}

void UpdateProgress::later()
{
    if (m_model)
        m_model->setShowingUpdateSheet(false);
}

void UpdateProgress::restartAndInstall()
{
    if (!m_model)
        return;
    if (UpdateInstaller* installer = m_model->updateInstaller())
        installer->performInstallAndRelaunch();
}

void UpdateProgress::close()
{
    if (!m_model)
        return;
    m_model->setUpdateInstallerState(UpdateInstallerState::idle());
    m_model->setShowingUpdateSheet(false);
}

void UpdateProgress::retry()
{
    if (m_model)
        m_model->installUpdate();
}

} // namespace roror
