#pragma once

#include "core/update/RororUpdateInfo.h"
#include "core/update/UpdateError.h"

#include <QFuture>
#include <QUrl>

namespace roror {

// The failures the feed fetch detects itself.
class UpdateServiceError : public UpdateError {
public:
    // insecureFeed: the feed address (or a redirect) is neither https nor http to this machine.
    enum class Kind { serverStatus, invalidResponse, insecureFeed };

    static UpdateServiceError serverStatus(int code) { return UpdateServiceError(Kind::serverStatus, code); }
    static UpdateServiceError invalidResponse() { return UpdateServiceError(Kind::invalidResponse, 0); }
    static UpdateServiceError insecureFeed() { return UpdateServiceError(Kind::insecureFeed, 0); }

    Kind kind() const { return m_kind; }
    int code() const { return m_code; } // the HTTP status of serverStatus
    QString errorDescription() const override;
    bool operator==(const UpdateServiceError& other) const
    {
        return m_kind == other.m_kind && (m_kind != Kind::serverStatus || m_code == other.m_code);
    }

private:
    UpdateServiceError(Kind kind, int code)
        : m_kind(kind)
        , m_code(code)
    {
    }

    Kind m_kind;
    int m_code;
};

// Reads the update feed. Holds no state; a new one may be made for every check.
class UpdateService {
public:
    UpdateService() = default;

    // One plain GET of the feed, decoded as a RororUpdateInfo. The load runs on the calling thread's
    // event loop, so call it from a thread that has one. The future fails with UpdateTransportError
    // when nothing could be loaded, UpdateServiceError for an address or redirect that is not secure
    // (nothing is fetched then), a non-HTTP answer or a status outside 200...299, and
    // UpdateDecodingError for a body that is not the record.
    QFuture<RororUpdateInfo> fetchLatest(const QUrl& url) const;
};

} // namespace roror
