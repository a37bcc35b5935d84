#pragma once

#include "core/update/UpdateError.h"

#include <QMetaType>
#include <QString>

namespace roror {

// The progress of an update as the installer reports it.
struct UpdateInstallerState {
    enum class Kind { idle, downloading, readyToInstall, installing, failed };

    static UpdateInstallerState idle() { return {Kind::idle, 0.0, {}}; }
    static UpdateInstallerState downloading(double progress) { return {Kind::downloading, progress, {}}; }
    static UpdateInstallerState readyToInstall() { return {Kind::readyToInstall, 0.0, {}}; }
    static UpdateInstallerState installing() { return {Kind::installing, 0.0, {}}; }
    static UpdateInstallerState failed(const QString& message) { return {Kind::failed, 0.0, message}; }

    Kind kind = Kind::idle;
    double progress = 0.0; // fraction received, for downloading
    QString message;       // what to show, for failed

    // Same case; the progress counts only for downloading and the message only for failed.
    bool operator==(const UpdateInstallerState& other) const;
};

// Why an update could not be downloaded or installed; only its messages are ever used.
class UpdateInstallerError : public UpdateError {
public:
    enum class Kind {
        downloadFailed,
        downloadCancelled,
        mountFailed,
        appNotFoundInDMG,
        installFailed,
        noDownloadedUpdate
    };

    static UpdateInstallerError downloadFailed(const QString& detail) { return {Kind::downloadFailed, detail}; }
    static UpdateInstallerError downloadCancelled() { return {Kind::downloadCancelled, {}}; }
    static UpdateInstallerError mountFailed() { return {Kind::mountFailed, {}}; }
    static UpdateInstallerError appNotFoundInDMG() { return {Kind::appNotFoundInDMG, {}}; }
    // `detail`, when given, says why; it follows the plain message.
    static UpdateInstallerError installFailed(const QString& detail = {}) { return {Kind::installFailed, detail}; }
    static UpdateInstallerError noDownloadedUpdate() { return {Kind::noDownloadedUpdate, {}}; }

    Kind kind() const { return m_kind; }
    QString detail() const { return m_detail; }
    QString errorDescription() const override;
    bool operator==(const UpdateInstallerError& other) const
    {
        return m_kind == other.m_kind && (m_kind != Kind::downloadFailed || m_detail == other.m_detail);
    }

private:
    UpdateInstallerError(Kind kind, QString detail)
        : m_kind(kind)
        , m_detail(std::move(detail))
    {
    }

    Kind m_kind;
    QString m_detail;
};

} // namespace roror

Q_DECLARE_METATYPE(roror::UpdateInstallerState)
