#include "core/update/UpdateConfiguration.h"

#include "platform/AppBundle.h"

#include <QHostAddress>

namespace roror::UpdateConfiguration {

namespace {

std::optional<QUrl> parsedURL(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    return url;
}

} // namespace

std::optional<QUrl> feedURL(const QString& configuredFeedURL, const QProcessEnvironment& environment)
{
    const QString fromEnvironment = environment.value(environmentKey).trimmed();
    if (!fromEnvironment.isEmpty())
        return parsedURL(fromEnvironment);
    const QString configured = configuredFeedURL.trimmed();
    if (!configured.isEmpty())
        return parsedURL(configured);
    return std::nullopt;
}

std::optional<QUrl> feedURL()
{
    return feedURL(AppBundle::feedURL(), QProcessEnvironment::systemEnvironment());
}

bool isSecureAddress(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https"))
        return true;
    if (scheme != QLatin1String("http"))
        return false;
    const QString host = url.host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

} // namespace roror::UpdateConfiguration
