#pragma once

#include "core/update/UpdateInstallerState.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

namespace roror {

// Carries an update from its download address to the relaunched application: downloads the image,
// installs it through the relaunch script and ends this process. Use it from one thread that runs
// an event loop; every report reaches onStateChanged on that thread.
class UpdateInstaller : public QObject {
    Q_OBJECT

public:
    using StateCallback = std::function<void(const UpdateInstallerState&)>;

    // What installing needs to know about the running application, and the steps that end it.
    // current() describes this process; tests replace it.
    struct RelaunchContext {
        QString bundlePath;     // the running Roror.app; empty when this is not an installed copy
        QString executablePath; // the executable inside the bundle, relative to it
        QString bundleName;     // the name the image's application should carry
        qint64 processId = 0;   // the process the script waits for
        // Starts the relaunch script (program and arguments) without waiting; false when it cannot start.
        // Called on a pool thread.
        std::function<bool(const QString&, const QStringList&)> startScript;
        // Asks the application to quit; called on the installer's thread once the script runs.
        std::function<void()> requestTermination;
        // Ends the process shortly afterwards, whatever became of the request.
        std::function<void()> scheduleExit;

        static RelaunchContext current();
    };

    // How large an update may be. A download or an archive past these is refused before it can fill the disk.
    struct Limits {
        qint64 downloadBytes = qint64(1) << 30; // the downloaded archive
        qint64 unpackedRatio = 20;              // unpacked bytes per downloaded byte
        qint64 unpackedBytes = qint64(2) << 30; // unpacked, whatever the ratio
    };

    explicit UpdateInstaller(QObject* parent = nullptr);
    ~UpdateInstaller() override;

    // Receives every report; called on the installer's thread. Unset drops the reports.
    StateCallback onStateChanged;

    // Starts downloading the image at `url` (https, or http to this machine); returns at once.
    void download(const QUrl& url);
    // Stops the running download; nothing more is reported for it.
    void cancel();
    // Installs the downloaded image and relaunches; returns at once. A call while an install is
    // under way does nothing.
    void performInstallAndRelaunch();

    void setRelaunchContext(RelaunchContext context);
    void setLimits(const Limits& limits);

    // https anywhere, or http to a loopback address; anything else is never fetched.
    static bool isAllowedDownloadURL(const QUrl& url);

private:
    struct Download;

    void report(const UpdateInstallerState& state);
    // Runs `action` later on this object's thread, unless download `generation` is no longer the current one.
    void post(quint64 generation, std::function<void()> action);
    void finishDownload(quint64 generation);
    // Ends the running download as failed when `bytes` pass the download limit; true when they do.
    bool stopWhenTooLarge(QNetworkReply* reply, qint64 bytes);

    std::unique_ptr<Download> m_downloadTask;
    std::optional<QString> m_downloadedDMGPath;
    quint64 m_generation = 0;
    bool m_installing = false; // from the start of an install until its script runs or it fails
    QNetworkAccessManager* m_network = nullptr;
    RelaunchContext m_relaunch;
    Limits m_limits;
};

} // namespace roror
