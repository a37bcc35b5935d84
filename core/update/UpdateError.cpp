#include "core/update/UpdateError.h"

#include "core/model/AppLocalization.h"

namespace roror {

QString UpdateDecodingError::errorDescription() const
{
    using AppLocalization::coreText;
    const QString quoted = QStringLiteral("\"%1\"").arg(m_key);
    switch (m_kind) {
    case Kind::keyNotFound:
        return coreText(QStringLiteral("更新信息缺少 %1。").arg(quoted),
                        QStringLiteral("The update information has no %1.").arg(quoted));
    case Kind::valueNotFound:
        return coreText(QStringLiteral("更新信息中的 %1 为空。").arg(quoted),
                        QStringLiteral("The update information's %1 is null.").arg(quoted));
    case Kind::typeMismatch:
        if (m_key.isEmpty())
            return coreText(QStringLiteral("更新信息不是一个 JSON 对象。"),
                            QStringLiteral("The update information is not a JSON object."));
        return coreText(QStringLiteral("更新信息中的 %1 类型不正确。").arg(quoted),
                        QStringLiteral("The update information's %1 has the wrong type.").arg(quoted));
    case Kind::dataCorrupted:
        if (m_key.isEmpty())
            return coreText(QStringLiteral("更新信息不是有效的 JSON。"),
                            QStringLiteral("The update information is not valid JSON."));
        return coreText(QStringLiteral("更新信息中的 %1 不是有效的地址。").arg(quoted),
                        QStringLiteral("The update information's %1 is not a valid address.").arg(quoted));
    }
    return {};
}

} // namespace roror
