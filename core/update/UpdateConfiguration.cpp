#include "core/update/UpdateConfiguration.h"

#include "platform/AppBundle.h"

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

} // namespace roror::UpdateConfiguration
