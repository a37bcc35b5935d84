#include "TestHttpServer.h"

#include "core/update/UpdateConfiguration.h"
#include "core/update/UpdateService.h"
#include "tests/support/TestEnv.h"

#include <QTcpServer>
#include <gtest/gtest.h>

using namespace roror;
using roror::test::HttpResponse;
using roror::test::TestHttpServer;

namespace {

TEST(UpdateFeedAddress, EnvironmentFirstThenConfiguredAddress)
{
    struct Case {
        const char* name;
        std::optional<QString> environment; // absent: the variable is not set
        QString configured;
        std::optional<QString> expected;
    };
    const QString a = QStringLiteral("https://a.example.org/feed.json");
    const QString b = QStringLiteral("https://b.example.org/feed.json");
    const Case cases[] = {
        {"nothing configured", std::nullopt, QString(), std::nullopt},
        {"environment wins", a, b, a},
        {"environment alone", a, QString(), a},
        {"configured alone", std::nullopt, b, b},
        {"blank environment falls through", QStringLiteral("  \t\n"), b, b},
        {"empty environment falls through", QString(), b, b},
        {"environment trimmed", QStringLiteral("  ") + a + QStringLiteral("\n"), b, a},
        {"configured trimmed", std::nullopt, QStringLiteral(" ") + b + QStringLiteral("\n"), b},
        {"unparsable environment decides alone", QStringLiteral("https://exa mple.org/feed"), b, std::nullopt},
        {"unparsable configured", std::nullopt, QStringLiteral("ht tp://b"), std::nullopt},
        {"blank configured", std::nullopt, QStringLiteral("   "), std::nullopt},
        {"used as given", QStringLiteral("http://127.0.0.1:8080"), QString(), QStringLiteral("http://127.0.0.1:8080")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("OTHER"), QStringLiteral("x"));
        if (c.environment)
            environment.insert(QStringLiteral("ROROR_UPDATE_FEED_URL"), *c.environment);
        const std::optional<QUrl> url = UpdateConfiguration::feedURL(c.configured, environment);
        ASSERT_EQ(url.has_value(), c.expected.has_value());
        if (url) {
            EXPECT_EQ(*url, QUrl(*c.expected));
        }
    }
}

TEST(UpdateFeedAddress, ReadsThisProcessEnvironment)
{
    test::TestEnv env;
    const QByteArray saved = qgetenv("ROROR_UPDATE_FEED_URL");
    const bool wasSet = qEnvironmentVariableIsSet("ROROR_UPDATE_FEED_URL");
    qputenv("ROROR_UPDATE_FEED_URL", " https://feed.example.org/roror.json\n");
    EXPECT_EQ(UpdateConfiguration::feedURL(), QUrl(QStringLiteral("https://feed.example.org/roror.json")));
    qunsetenv("ROROR_UPDATE_FEED_URL");
    // Without the variable only the build's own address is left (none in a default build).
    EXPECT_EQ(UpdateConfiguration::feedURL(), UpdateConfiguration::feedURL(QStringLiteral(ROROR_BUILD_FEED_URL), {}));
    if (wasSet)
        qputenv("ROROR_UPDATE_FEED_URL", saved);
}

struct FetchOutcome {
    std::optional<RororUpdateInfo> info;
    std::exception_ptr error;
};

FetchOutcome fetch(const QUrl& url)
{
    QFuture<RororUpdateInfo> future = UpdateService().fetchLatest(url);
    EXPECT_TRUE(test::waitFor([&] { return future.isFinished(); }));
    FetchOutcome outcome;
    try {
        outcome.info = future.result();
    } catch (...) {
        outcome.error = std::current_exception();
    }
    return outcome;
}

template <typename Error>
std::optional<Error> errorAs(const std::exception_ptr& error)
{
    if (!error)
        return std::nullopt;
    try {
        std::rethrow_exception(error);
    } catch (const Error& e) {
        return e;
    } catch (...) {
    }
    return std::nullopt;
}

const QByteArray goodFeed
    = R"({"version": "3.0.1", "build": "301", "download_url": "https://updates.example.org/Roror.tar.gz"})";

TEST(UpdateServiceFetch, AnswersByStatusAndBody)
{
    test::TestEnv env;
    TestHttpServer server;
    const RororUpdateInfo good{QStringLiteral("3.0.1"), QStringLiteral("301"),
                               QUrl(QStringLiteral("https://updates.example.org/Roror.tar.gz")), std::nullopt,
                               std::nullopt};
    using DKind = UpdateDecodingError::Kind;
    struct Case {
        const char* path;
        HttpResponse response;
        std::optional<RororUpdateInfo> info;
        std::optional<UpdateServiceError> serviceError;
        std::optional<UpdateDecodingError> decodingError;
    };
    const Case cases[] = {
        {"/ok", {200, "OK", goodFeed}, good, {}, {}},
        {"/edge", {299, "Fine", goodFeed}, good, {}, {}},
        {"/unsized", {200, "OK", goodFeed, {}, false}, good, {}, {}},
        {"/typed", {200, "OK", goodFeed, {{"Content-Type", "text/plain"}}}, good, {}, {}},
        {"/below", {199, "Odd", goodFeed}, {}, UpdateServiceError::serverStatus(199), {}},
        {"/above", {300, "Multiple Choices", goodFeed}, {}, UpdateServiceError::serverStatus(300), {}},
        {"/not-modified", {304, "Not Modified", {}}, {}, UpdateServiceError::serverStatus(304), {}},
        {"/missing", {404, "Not Found", goodFeed}, {}, UpdateServiceError::serverStatus(404), {}},
        {"/broken", {500, "Internal Server Error", "oops"}, {}, UpdateServiceError::serverStatus(500), {}},
        {"/html", {200, "OK", "<html>maintenance</html>"}, {}, {}, UpdateDecodingError(DKind::dataCorrupted, {})},
        {"/no-version", {200, "OK", R"({"build": "1"})"}, {}, {}, UpdateDecodingError(DKind::keyNotFound, "version")},
        {"/typed-build",
         {200, "OK", R"({"version": "1.0", "build": 1})"},
         {},
         {},
         UpdateDecodingError(DKind::typeMismatch, "build")},
        {"/bad-url",
         {200, "OK", R"({"version": "1.0", "download_url": false})"},
         {},
         {},
         UpdateDecodingError(DKind::typeMismatch, "download_url")},
    };
    for (const Case& c : cases)
        server.route(QString::fromUtf8(c.path), c.response);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const FetchOutcome outcome = fetch(server.url(QString::fromUtf8(c.path)));
        EXPECT_EQ(server.requestCount(QString::fromUtf8(c.path)), 1);
        EXPECT_EQ(outcome.info, c.info);
        EXPECT_EQ(errorAs<UpdateServiceError>(outcome.error), c.serviceError);
        EXPECT_EQ(errorAs<UpdateDecodingError>(outcome.error), c.decodingError);
        if (!c.info) {
            EXPECT_TRUE(outcome.error);
        }
    }
}

TEST(UpdateServiceFetch, OnlyASecureFeedIsFetched)
{
    // The feed chooses what is downloaded and installed, so it is held to the download's rule.
    test::TestEnv env;
    TestHttpServer server;
    server.route(QStringLiteral("/feed.json"), {200, "OK", goodFeed});
    server.route(QStringLiteral("/moved"), {302, "Found", {}, {{"Location", "http://updates.example.org/feed.json"}}});
    const QString feedFile = env.writeFile(QStringLiteral("feed.json"), goodFeed);
    const QUrl refused[] = {
        QUrl(QStringLiteral("http://updates.example.org/feed.json")), QUrl(QStringLiteral("ftp://127.0.0.1/feed.json")),
        QUrl::fromLocalFile(feedFile),
        server.url(QStringLiteral("/moved")), // loopback, but redirected to plain http elsewhere
    };
    for (const QUrl& url : refused) {
        SCOPED_TRACE(url.toString().toStdString());
        const FetchOutcome outcome = fetch(url);
        EXPECT_FALSE(outcome.info);
        EXPECT_EQ(errorAs<UpdateServiceError>(outcome.error), UpdateServiceError::insecureFeed());
    }
    EXPECT_EQ(server.requestCount(QStringLiteral("/moved")), 1);
    EXPECT_TRUE(fetch(server.url(QStringLiteral("/feed.json"))).info);
    EXPECT_EQ(UpdateServiceError::insecureFeed().errorDescription(),
              QStringLiteral("The update feed address must use https."));
    env.setLanguagePreference(QStringLiteral("chinese"));
    EXPECT_EQ(UpdateServiceError::insecureFeed().errorDescription(), QStringLiteral("更新地址必须使用 https。"));
}

TEST(UpdateServiceFetch, FailuresOutsideHttp)
{
    test::TestEnv env;
    // Nobody listening: the transport error comes through unchanged.
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    const FetchOutcome outcome = fetch(QUrl(QStringLiteral("http://127.0.0.1:%1/feed.json").arg(closedPort)));
    const std::optional<UpdateTransportError> transport = errorAs<UpdateTransportError>(outcome.error);
    ASSERT_TRUE(transport);
    EXPECT_FALSE(transport->errorDescription().isEmpty());
    EXPECT_FALSE(outcome.info);
}

TEST(UpdateServiceError, MessagesAndEquality)
{
    test::TestEnv env;
    EXPECT_EQ(UpdateServiceError::serverStatus(404).errorDescription(),
              QStringLiteral("The update check failed with server status 404."));
    EXPECT_EQ(UpdateServiceError::invalidResponse().errorDescription(),
              QStringLiteral("The update information is invalid."));
    env.setLanguagePreference(QStringLiteral("chinese"));
    EXPECT_EQ(UpdateServiceError::serverStatus(-1).errorDescription(),
              QStringLiteral("更新检查没有成功，服务器返回 -1。"));
    EXPECT_EQ(UpdateServiceError::invalidResponse().errorDescription(), QStringLiteral("更新信息格式不正确。"));
    env.setLanguagePreference(QStringLiteral("system"));
    env.setPreferredLanguages({QStringLiteral("zh-Hans-CN")});
    EXPECT_EQ(UpdateServiceError::serverStatus(500).errorDescription(),
              QStringLiteral("更新检查没有成功，服务器返回 500。"));

    EXPECT_EQ(UpdateServiceError::serverStatus(404), UpdateServiceError::serverStatus(404));
    EXPECT_NE(UpdateServiceError::serverStatus(404), UpdateServiceError::serverStatus(500));
    EXPECT_NE(UpdateServiceError::serverStatus(404), UpdateServiceError::invalidResponse());
}

} // namespace
