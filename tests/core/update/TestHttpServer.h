#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QUrl>
#include <functional>

#include <QTcpSocket>

namespace roror::test {

struct HttpResponse {
    int status = 200;
    QByteArray reason = "OK";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    bool contentLength = true; // false: no Content-Length, the end of the body is the end of the connection
    qsizetype holdAfter = -1;  // >= 0: send only this many body bytes, then wait for releaseHeld()/dropHeld()
    bool endless = false;      // send the body over and over until the client goes away (no Content-Length)
};

// A tiny HTTP/1.1 server on 127.0.0.1 that answers each path with a fixed response and closes.
class TestHttpServer {
public:
    TestHttpServer();
    ~TestHttpServer();

    QUrl url(const QString& path) const;
    quint16 port() const { return m_server.serverPort(); }
    void route(const QString& path, const HttpResponse& response);

    int requestCount(const QString& path) const { return m_requests.value(path); }
    int heldCount() const { return int(m_held.size()); }
    int closedCount() const { return m_closed; }
    // Body bytes sent so far by endless responses.
    qint64 endlessBytesSent() const { return m_endlessSent; }
    // Sends the rest of every held response and closes those connections.
    void releaseHeld();
    // Closes every held connection before its body is complete.
    void dropHeld();

private:
    struct Held {
        QPointer<QTcpSocket> socket;
        QByteArray rest;
    };

    void answer(QTcpSocket* socket, const QByteArray& request);

    QTcpServer m_server;
    QHash<QString, HttpResponse> m_routes;
    QHash<QString, int> m_requests;
    QList<Held> m_held;
    int m_closed = 0;
    qint64 m_endlessSent = 0;
};

// Processes events until `done` holds or `timeoutMs` has passed; true when it holds.
bool waitFor(const std::function<bool()>& done, int timeoutMs = 30000);

} // namespace roror::test
