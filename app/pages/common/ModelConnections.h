#pragma once

#include <QList>
#include <QObject>

namespace roror {

// The connections an object holds to the one model, dropped together when another model comes.
class ModelConnections {
public:
    ModelConnections& operator<<(const QMetaObject::Connection& connection)
    {
        m_connections.append(connection);
        return *this;
    }

    void disconnectAll()
    {
        for (const auto& connection : std::as_const(m_connections))
            QObject::disconnect(connection);
        m_connections.clear();
    }

private:
    QList<QMetaObject::Connection> m_connections;
};

} // namespace roror
