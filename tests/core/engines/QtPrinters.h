#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable failure messages for Qt text types.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& value, std::ostream* os)
{
    *os << '"' << value.toStdString() << '"';
}
inline void PrintTo(const QStringList& value, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < value.size(); ++i)
        *os << (i ? ", \"" : "\"") << value.at(i).toStdString() << '"';
    *os << '}';
}
inline void PrintTo(const QByteArray& value, std::ostream* os)
{
    *os << '"' << value.toStdString() << '"';
}
QT_END_NAMESPACE
