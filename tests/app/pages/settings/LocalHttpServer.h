#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <memory>

namespace roror::test {

// A small HTTP server on 127.0.0.1 that answers each path with a fixed status and body, then closes.
class LocalHttpServer {
public:
    LocalHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                auto request = std::make_shared<QByteArray>();
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                    request->append(socket->readAll());
                    if (request->contains("\r\n\r\n"))
                        answer(socket, *request);
                });
            }
        });
    }

    QUrl url(const QString& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }

    void route(const QString& path, int status, const QByteArray& body) { m_routes.insert(path, {status, body}); }

private:
    struct Response {
        int status = 404;
        QByteArray body = "not found";
    };

    void answer(QTcpSocket* socket, const QByteArray& request)
    {
        const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
        const Response response = m_routes.value(words.size() > 1 ? QString::fromUtf8(words[1]) : QString());
        QByteArray head
            = "HTTP/1.1 " + QByteArray::number(response.status) + (response.status == 200 ? " OK" : " Error");
        head += "\r\nConnection: close\r\nContent-Length: " + QByteArray::number(response.body.size()) + "\r\n\r\n";
        socket->write(head + response.body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QString, Response> m_routes;
};

} // namespace roror::test
