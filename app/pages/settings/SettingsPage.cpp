#include "app/pages/settings/SettingsPage.h"

#include "app/kit/GlassSource.h"
#include "app/model/AppModel.h"
#include "core/model/AppActionFactory.h"
#include "core/model/LocalizationSettings.h"
#include "core/update/UpdateConfiguration.h"
#include "platform/AppBundle.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace roror {

const QString SettingsPage::fullDiskAccessPane
    = QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles");
const QString SettingsPage::appDataAccessPane
    = QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_AppData");

SettingsPage::SettingsPage(QObject* parent)
    : QObject(parent)
    , shortVersion([]() -> std::optional<QString> { return AppBundle::shortVersion(); })
    , buildVersion([] { return AppBundle::buildVersion(); })
    , feedURL([] { return UpdateConfiguration::feedURL(); })
{
    connect(&LocalizationSettings::shared(), &LocalizationSettings::preferenceChanged, this, [this] {
        emit languageChanged();
        emit appearanceChanged();
    });
    connect(&GlassSource::shared(), &GlassSource::desktopShownChanged, this, &SettingsPage::appearanceChanged);
}

bool SettingsPage::defaultPrivacyPanesAvailable()
{
#ifdef Q_OS_MACOS
    return true;
#else
    return false;
#endif
}

void SettingsPage::setModel(AppModel* model)
{
    if (model == m_model)
        return;
    m_connections.disconnectAll();
    m_model = model;
    if (m_model) {
        m_connections
            << connect(m_model, &AppModel::customWindowBackgroundPathChanged, this, &SettingsPage::appearanceChanged)
            << connect(m_model, &AppModel::windowBackgroundRevisionChanged, this, &SettingsPage::appearanceChanged)
            << connect(m_model, &AppModel::showHealthAuraChanged, this, &SettingsPage::showHealthAuraChanged)
            << connect(m_model, &AppModel::latestUpdateVersionTextChanged, this, &SettingsPage::updatesChanged)
            << connect(m_model, &AppModel::updateStatusDetailChanged, this, &SettingsPage::updatesChanged)
            << connect(m_model, &AppModel::isCheckingForUpdatesChanged, this, &SettingsPage::updatesChanged)
            << connect(m_model, &AppModel::updateDownloadURLChanged, this, &SettingsPage::updatesChanged);
    }
    emit appearanceChanged();
    emit showHealthAuraChanged();
    emit updatesChanged();
    emit modelChanged();
}

void SettingsPage::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (m_active) {
        emit updatesChanged();
        emit appearanceChanged();
    }
    emit activeChanged();
}

bool SettingsPage::hasCustomBackground() const
{
    return m_model && m_model->customWindowBackgroundURL().has_value();
}

QUrl SettingsPage::backgroundUrl() const
{
    return m_model ? m_model->customWindowBackgroundURL().value_or(QUrl()) : QUrl();
}

int SettingsPage::backgroundRevision() const
{
    return m_model ? m_model->windowBackgroundRevision() : 0;
}

QString SettingsPage::backgroundStatusText() const
{
    const auto url = m_model ? m_model->customWindowBackgroundURL() : std::nullopt;
    const LocalizationSettings& language = LocalizationSettings::shared();
    // The wallpaper is claimed only while the window's backdrop really shows the desktop.
    if (!url && GlassSource::shared().desktopShown())
        return language.text(QStringLiteral("当前使用系统桌面壁纸作为背景。"),
                             QStringLiteral("Using the system desktop wallpaper as the background."));
    if (!url)
        return language.text(
            QStringLiteral("无法读取系统桌面壁纸，当前使用纯色背景。"),
            QStringLiteral("The system desktop wallpaper could not be read; using a plain background."));
    const QString name = QFileInfo(url->toLocalFile()).fileName();
    return language.text(QStringLiteral("已使用自定义图片："), QStringLiteral("Using custom image: ")) + name;
}

QUrl SettingsPage::picturesFolder() const
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QUrl::fromLocalFile(QFileInfo(pictures).isDir() ? pictures : QDir::homePath());
}

bool SettingsPage::showHealthAura() const
{
    return m_model ? m_model->showHealthAura() : true;
}

void SettingsPage::setShowHealthAura(bool show)
{
    if (m_model && show != m_model->showHealthAura())
        m_model->setShowHealthAura(show);
}

int SettingsPage::languageIndex() const
{
    switch (LocalizationSettings::shared().preference()) {
    case AppLanguagePreference::system:
        return 0;
    case AppLanguagePreference::chinese:
        return 1;
    case AppLanguagePreference::english:
        return 2;
    }
    return 0;
}

void SettingsPage::setLanguageIndex(int index)
{
    static const AppLanguagePreference choices[]
        = {AppLanguagePreference::system, AppLanguagePreference::chinese, AppLanguagePreference::english};
    if (index < 0 || index > 2)
        return;
    // The shared object stores the choice in the user defaults before it tells anyone.
    LocalizationSettings::shared().setPreference(choices[index]);
}

QString SettingsPage::appVersionText() const
{
    return appVersionText(shortVersion ? shortVersion() : std::nullopt, buildVersion ? buildVersion() : std::nullopt,
                          LocalizationSettings::shared().resolvedLanguage() == AppResolvedLanguage::chinese);
}

QString SettingsPage::appVersionText(const std::optional<QString>& shortVersion,
                                     const std::optional<QString>& buildVersion, bool chinese)
{
    if (shortVersion && !shortVersion->isEmpty())
        return QStringLiteral("v") + *shortVersion;
    if (buildVersion && !buildVersion->isEmpty())
        return *buildVersion;
    return chinese ? QStringLiteral("未提供") : QStringLiteral("Not available");
}

bool SettingsPage::hasLatestVersion() const
{
    return m_model && m_model->latestUpdateVersionText().has_value();
}

QString SettingsPage::latestVersionText() const
{
    return m_model ? m_model->latestUpdateVersionText().value_or(QString()) : QString();
}

QString SettingsPage::updateStatusDetail() const
{
    return m_model ? m_model->updateStatusDetail() : QString();
}

bool SettingsPage::isCheckingForUpdates() const
{
    return m_model && m_model->isCheckingForUpdates();
}

bool SettingsPage::feedConfigured() const
{
    return feedURL && feedURL().has_value();
}

bool SettingsPage::canInstall() const
{
    return m_model && m_model->updateDownloadURL().has_value();
}

void SettingsPage::openPane(const QString& pane, const QString& zhName, const QString& enName)
{
    if (!m_model)
        return;
    if (privacyPanesAvailable) {
        m_model->openSystemSettingsPane(pane);
        return;
    }
    // Without the pane the press would do nothing at all; say why instead.
    m_model->setAlertMessage(LocalizationSettings::shared().text(
        QStringLiteral("这个系统没有可以打开的“") + zhName + QStringLiteral("”设置。"),
        QStringLiteral("This system has no ") + enName + QStringLiteral(" setting to open.")));
}

void SettingsPage::openFullDiskAccess()
{
    openPane(fullDiskAccessPane, QStringLiteral("完整磁盘访问权限"), QStringLiteral("Full Disk Access"));
}

void SettingsPage::openAppDataAccess()
{
    openPane(appDataAccessPane, QStringLiteral("App 数据权限"), QStringLiteral("App Data Access"));
}

void SettingsPage::openCleanProtectionList()
{
    if (m_model)
        m_model->request(AppActionFactory::cleanWhitelist());
}

void SettingsPage::openOptimizeSafeguards()
{
    if (m_model)
        m_model->request(AppActionFactory::optimizeWhitelist());
}

void SettingsPage::chooseBackgroundImage(const QUrl& file)
{
    if (!m_model || file.isEmpty())
        return;
    m_model->chooseWindowBackgroundImage(file.isLocalFile() ? file.toLocalFile() : file.toString());
}

void SettingsPage::useDefaultBackground()
{
    if (m_model)
        m_model->clearWindowBackgroundImage();
}

void SettingsPage::checkForUpdates()
{
    if (m_model && checkEnabled())
        m_model->checkForUpdates(false);
}

void SettingsPage::installUpdate()
{
    if (m_model)
        m_model->installUpdate();
}

} // namespace roror
