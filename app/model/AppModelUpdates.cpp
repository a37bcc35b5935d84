#include "app/model/AppModel.h"

#include "app/model/AppModelInternal.h"
#include "core/update/UpdateVersionComparator.h"

namespace roror {

using namespace appmodel;

QFuture<void> AppModel::checkForUpdates(bool silent)
{
    return track([this, silent](Done done) { checkForUpdates(silent, done); });
}

void AppModel::checkForUpdates(bool silent, Done done)
{
    std::optional<QUrl> feed;
    try {
        feed = m_services.updateFeedURL();
    } catch (...) {
        feed = std::nullopt;
    }
    if (!feed) {
        setUpdateStatusDetail(text("还没有配置更新地址。", "The update feed URL has not been configured."));
        setLatestUpdateVersionText(std::nullopt);
        setUpdateDownloadURL(std::nullopt);
        done();
        return;
    }
    setIsCheckingForUpdates(true);
    const QString currentVersion = m_services.bundleShortVersion().value_or(QStringLiteral("0"));
    const std::optional<QString> currentBuild = m_services.bundleVersion();
    const auto fetch = m_services.fetchLatestUpdate;
    const QUrl address = *feed;
    whenDone<RororUpdateInfo>(
        m_relay, [fetch, address] { return fetch(address); },
        [this, silent, done, currentVersion, currentBuild](Outcome<RororUpdateInfo> outcome) {
            if (outcome.value) {
                const RororUpdateInfo& info = *outcome.value;
                const QString shown = info.displayVersion();
                setLatestUpdateVersionText(shown);
                setUpdateDownloadURL(info.installableDownloadURL(currentVersion, currentBuild));
                if (UpdateVersionComparator::isUpdateAvailable(currentVersion, currentBuild, info.version,
                                                               info.build)) {
                    setUpdateStatusDetail(
                        text(QStringLiteral("发现新版本 ") + shown + QStringLiteral("。"),
                             QStringLiteral("New version available: ") + shown + QStringLiteral(".")));
                    if (!silent)
                        setStatus(text("发现新版本", "Update Available"), m_updateStatusDetail);
                } else {
                    setUpdateStatusDetail(text("当前已经是最新版。", "You are already on the latest version."));
                    if (!silent)
                        setStatus(text("已是最新版", "Up to Date"), m_updateStatusDetail);
                }
            } else {
                const QString description = outcome.error;
                // Shown on the Settings page even when the check was silent.
                const QString detail = text("检查更新失败：", "Update check failed: ") + description;
                logShownError(log::update(), detail);
                setUpdateStatusDetail(detail);
                if (!silent)
                    setAlertMessage(description);
            }
            setIsCheckingForUpdates(false);
            done();
        });
}

void AppModel::installUpdate()
{
    if (!m_updateDownloadURL)
        return;
    switch (m_updateInstallerState.kind) {
    case UpdateInstallerState::Kind::downloading:
    case UpdateInstallerState::Kind::installing:
        return;
    case UpdateInstallerState::Kind::readyToInstall:
        setShowingUpdateSheet(true);
        return;
    case UpdateInstallerState::Kind::idle:
    case UpdateInstallerState::Kind::failed:
        break;
    }
    if (!m_updateInstaller)
        return;
    setShowingUpdateSheet(true);
    setUpdateInstallerState(UpdateInstallerState::downloading(0));
    // Every state is stored on the model's thread, in order. A report made on that thread is stored
    // at once: deferred, it could land after the update sheet has cancelled the download and reset
    // the state, leaving a download shown as running that no longer exists.
    const std::weak_ptr<ThreadRelay> weakRelay = m_relay;
    m_updateInstaller->onStateChanged = [weakRelay, this](const UpdateInstallerState& state) {
        if (const auto relay = weakRelay.lock())
            relay->deliver([this, state] { setUpdateInstallerState(state); });
    };
    m_services.startUpdateDownload(*m_updateInstaller, *m_updateDownloadURL);
}

} // namespace roror
