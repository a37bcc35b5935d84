#include "core/update/UpdateService.h"

#include "core/model/AppLocalization.h"
#include "core/support/Log.h"
#include "core/update/UpdateConfiguration.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPromise>
#include <memory>

namespace roror {

namespace {
// The load gives up when no data arrives for this long.
constexpr int transferTimeoutMs = 60000;
} // namespace

QString UpdateServiceError::errorDescription() const
{
    switch (m_kind) {
    case Kind::serverStatus:
        return AppLocalization::coreText(QStringLiteral("更新检查没有成功，服务器返回 %1。").arg(m_code),
                                         QStringLiteral("The update check failed with server status %1.").arg(m_code));
    case Kind::invalidResponse:
        return AppLocalization::coreText(QStringLiteral("更新信息格式不正确。"),
                                         QStringLiteral("The update information is invalid."));
    case Kind::insecureFeed:
        return AppLocalization::coreText(QStringLiteral("更新地址必须使用 https。"),
                                         QStringLiteral("The update feed address must use https."));
    }
    return {};
}

QFuture<RororUpdateInfo> UpdateService::fetchLatest(const QUrl& url) const
{
    auto promise = std::make_shared<QPromise<RororUpdateInfo>>();
    QFuture<RororUpdateInfo> future = promise->future();
    promise->start();
    if (!UpdateConfiguration::isSecureAddress(url)) {
        qCWarning(roror::log::update) << "feed address refused:" << url.toString();
        promise->setException(std::make_exception_ptr(UpdateServiceError::insecureFeed()));
        promise->finish();
        return future;
    }

    // One manager per fetch, so the service itself keeps nothing between fetches.
    auto* manager = new QNetworkAccessManager;
    QNetworkRequest request(url);
    request.setTransferTimeout(transferTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    QNetworkReply* reply = manager->get(request);
    auto insecureRedirect = std::make_shared<bool>(false);
    QObject::connect(reply, &QNetworkReply::redirected, manager, [reply, insecureRedirect](const QUrl& target) {
        if (UpdateConfiguration::isSecureAddress(target)) {
            emit reply->redirectAllowed();
            return;
        }
        *insecureRedirect = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, manager, [promise, manager, reply, insecureRedirect] {
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        try {
            if (*insecureRedirect)
                throw UpdateServiceError::insecureFeed();
            if (!status.isValid()) {
                if (reply->error() != QNetworkReply::NoError)
                    throw UpdateTransportError(int(reply->error()), reply->errorString());
                throw UpdateServiceError::invalidResponse();
            }
            const int code = status.toInt();
            if (code < 200 || code > 299)
                throw UpdateServiceError::serverStatus(code);
            if (reply->error() != QNetworkReply::NoError)
                throw UpdateTransportError(int(reply->error()), reply->errorString());
            promise->addResult(RororUpdateInfo::decode(reply->readAll()));
            qCInfo(roror::log::update) << "feed read from" << reply->url().toString();
        } catch (const UpdateError& error) {
            qCWarning(roror::log::update) << "feed" << reply->url().toString() << ":" << error.errorDescription();
            promise->setException(std::current_exception());
        } catch (...) {
            qCWarning(roror::log::update) << "feed" << reply->url().toString() << "could not be read";
            promise->setException(std::current_exception());
        }
        promise->finish();
        manager->deleteLater();
    });
    return future;
}

} // namespace roror
