#pragma once
#include "core/model/SizeText.h"
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>
namespace roror {
class PurgePreviewReport {
public:
    struct Entry { QUuid id; QString name; QString path; QString target; qint64 byteCount = 0; bool operator==(const Entry&) const = default; };
    PurgePreviewReport() = default;
    PurgePreviewReport(QString r, QList<Entry> e, QDateTime g) : m_rootPath(std::move(r)), m_entries(std::move(e)), m_generatedAt(std::move(g)) {}
    const QString& rootPath() const { return m_rootPath; }
    const QList<Entry>& entries() const { return m_entries; }
    const QDateTime& generatedAt() const { return m_generatedAt; }
    qint64 totalBytes() const { qint64 t = 0; for (auto& e : m_entries) t += e.byteCount; return t; }
    QString totalSizeText() const { return SizeText::bytes(totalBytes()); }
    bool operator==(const PurgePreviewReport&) const = default;
private:
    QString m_rootPath; QList<Entry> m_entries; QDateTime m_generatedAt;
};
}
