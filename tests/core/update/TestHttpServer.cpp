#include "TestHttpServer.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTest>

namespace roror::test {

TestHttpServer::TestHttpServer()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                ++m_closed;
                socket->deleteLater();
            });
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                buffer->append(socket->readAll());
                if (buffer->contains("\r\n\r\n")) {
                    const QByteArray request = *buffer;
                    buffer->clear();
                    answer(socket, request);
                }
            });
        }
    });
}

TestHttpServer::~TestHttpServer()
{
    for (const Held& held : m_held) {
        if (held.socket)
            held.socket->abort();
    }
}

QUrl TestHttpServer::url(const QString& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
}

void TestHttpServer::route(const QString& path, const HttpResponse& response)
{
    m_routes.insert(path, response);
}

void TestHttpServer::answer(QTcpSocket* socket, const QByteArray& request)
{
    const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = words.size() > 1 ? QString::fromUtf8(words[1]) : QString();
    m_requests[path] += 1;
    HttpResponse response;
    if (m_routes.contains(path))
        response = m_routes.value(path);
    else
        response = HttpResponse{404, "Not Found", "no such path"};

    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + response.reason + "\r\n";
    head += "Connection: close\r\n";
    if (response.contentLength && !response.endless)
        head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    for (const auto& [name, value] : response.headers)
        head += name + ": " + value + "\r\n";
    head += "\r\n";

    if (response.endless) {
        // Keeps a little queued, topping it up as the client reads, until the client hangs up.
        const QByteArray chunk = response.body;
        const auto topUp = [this, socket, chunk] {
            while (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < 4 * chunk.size()) {
                socket->write(chunk);
                m_endlessSent += chunk.size();
            }
        };
        QObject::connect(socket, &QTcpSocket::bytesWritten, socket, topUp);
        socket->write(head);
        topUp();
        return;
    }
    if (response.holdAfter >= 0) {
        socket->write(head + response.body.left(response.holdAfter));
        socket->flush();
        m_held.append({socket, response.body.mid(response.holdAfter)});
        return;
    }
    socket->write(head + response.body);
    socket->disconnectFromHost();
}

void TestHttpServer::releaseHeld()
{
    const QList<Held> held = std::exchange(m_held, {});
    for (const Held& h : held) {
        if (!h.socket)
            continue;
        h.socket->write(h.rest);
        h.socket->disconnectFromHost();
    }
}

void TestHttpServer::dropHeld()
{
    const QList<Held> held = std::exchange(m_held, {});
    for (const Held& h : held) {
        if (h.socket)
            h.socket->abort();
    }
}

bool waitFor(const std::function<bool()>& done, int timeoutMs)
{
    return QTest::qWaitFor(done, timeoutMs);
}

} // namespace roror::test
