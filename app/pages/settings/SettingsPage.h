#pragma once

#include "app/pages/common/ModelConnections.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>
#include <QtQml/qqmlregistration.h>

namespace roror {

class AppModel;

// What the Settings page shows beyond its fixed texts, and the roads of its controls, read from
// the one model and the shared language choice.
class SettingsPage : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(roror::AppModel* model READ model WRITE setModel NOTIFY modelChanged)
    // Set while the page is on screen; showing the page reads the feed address again.
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)

    Q_PROPERTY(bool hasCustomBackground READ hasCustomBackground NOTIFY appearanceChanged)
    Q_PROPERTY(QUrl backgroundUrl READ backgroundUrl NOTIFY appearanceChanged)
    // The same as a file path; empty while the system's wallpaper is in use.
    Q_PROPERTY(QString backgroundPath READ backgroundPath NOTIFY appearanceChanged)
    Q_PROPERTY(int backgroundRevision READ backgroundRevision NOTIFY appearanceChanged)
    Q_PROPERTY(QString backgroundStatusText READ backgroundStatusText NOTIFY appearanceChanged)
    // Where the image chooser starts: the user's pictures, else the home folder.
    Q_PROPERTY(QUrl picturesFolder READ picturesFolder CONSTANT)
    Q_PROPERTY(bool showHealthAura READ showHealthAura WRITE setShowHealthAura NOTIFY showHealthAuraChanged)
    // 0 follow the system, 1 Chinese, 2 English: the segments of the language picker.
    Q_PROPERTY(int languageIndex READ languageIndex WRITE setLanguageIndex NOTIFY languageChanged)

    Q_PROPERTY(QString appVersionText READ appVersionText NOTIFY languageChanged)
    Q_PROPERTY(bool hasLatestVersion READ hasLatestVersion NOTIFY updatesChanged)
    Q_PROPERTY(QString latestVersionText READ latestVersionText NOTIFY updatesChanged)
    Q_PROPERTY(QString updateStatusDetail READ updateStatusDetail NOTIFY updatesChanged)
    Q_PROPERTY(bool isCheckingForUpdates READ isCheckingForUpdates NOTIFY updatesChanged)
    Q_PROPERTY(bool feedConfigured READ feedConfigured NOTIFY updatesChanged)
    Q_PROPERTY(bool checkEnabled READ checkEnabled NOTIFY updatesChanged)
    Q_PROPERTY(bool canInstall READ canInstall NOTIFY updatesChanged)

public:
    explicit SettingsPage(QObject* parent = nullptr);

    AppModel* model() const { return m_model; }
    void setModel(AppModel* model);
    bool active() const { return m_active; }
    void setActive(bool active);

    bool hasCustomBackground() const;
    QUrl backgroundUrl() const;
    QString backgroundPath() const { return backgroundUrl().toLocalFile(); }
    int backgroundRevision() const;
    QString backgroundStatusText() const;
    QUrl picturesFolder() const;
    bool showHealthAura() const;
    void setShowHealthAura(bool show);
    int languageIndex() const;
    void setLanguageIndex(int index);

    QString appVersionText() const;
    bool hasLatestVersion() const;
    QString latestVersionText() const;
    QString updateStatusDetail() const;
    bool isCheckingForUpdates() const;
    bool feedConfigured() const;
    bool checkEnabled() const { return !isCheckingForUpdates() && feedConfigured(); }
    bool canInstall() const;

    // Whether this system has privacy panes of its own settings application to open.
    bool privacyPanesAvailable = defaultPrivacyPanesAvailable();
    // Where the running version and the feed address come from; tests replace them.
    std::function<std::optional<QString>()> shortVersion;
    std::function<std::optional<QString>()> buildVersion;
    std::function<std::optional<QUrl>()> feedURL;

    Q_INVOKABLE void openFullDiskAccess();
    Q_INVOKABLE void openAppDataAccess();
    Q_INVOKABLE void openCleanProtectionList();
    Q_INVOKABLE void openOptimizeSafeguards();
    // `file` is what the file dialog chose; an empty address means it was cancelled.
    Q_INVOKABLE void chooseBackgroundImage(const QUrl& file);
    Q_INVOKABLE void useDefaultBackground();
    Q_INVOKABLE void checkForUpdates();
    Q_INVOKABLE void installUpdate();

    static bool defaultPrivacyPanesAvailable();
    static const QString fullDiskAccessPane;
    static const QString appDataAccessPane;
    // "v" + the short version; else the build number; else "Not available".
    static QString appVersionText(const std::optional<QString>& shortVersion,
                                  const std::optional<QString>& buildVersion, bool chinese);

signals:
    void modelChanged();
    void activeChanged();
    void appearanceChanged();
    void showHealthAuraChanged();
    void languageChanged();
    void updatesChanged();

private:
    void openPane(const QString& pane, const QString& zhName, const QString& enName);

    QPointer<AppModel> m_model;
    ModelConnections m_connections;
    bool m_active = false;
};

} // namespace roror
