#include "core/model/PathError.h"

namespace roror {

namespace {

QString describe(const QString& path, const QString& message, const QString& reason)
{
    QString text = message.arg(path);
    if (!reason.isEmpty())
        text += QLatin1Char(' ') + reason;
    return text;
}

} // namespace

PathError::PathError(const QString& path, const QString& message, const QString& reason)
    : m_path(path)
    , m_description(describe(path, message, reason))
    , m_what(m_description.toUtf8())
{
}

} // namespace roror
