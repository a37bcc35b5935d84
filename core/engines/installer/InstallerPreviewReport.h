#pragma once
#include "core/model/SizeText.h"
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>
#include <algorithm>
namespace roror {
class InstallerPreviewReport {
public:
    struct Entry { QUuid id; QString name; QString path; QString source; qint64 byteCount = 0; bool operator==(const Entry&) const = default; };
    InstallerPreviewReport() = default;
    InstallerPreviewReport(QList<Entry> e, QDateTime g) : m_entries(std::move(e)), m_generatedAt(std::move(g)) {
        std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b){ return a.byteCount > b.byteCount; });
    }
    const QList<Entry>& entries() const { return m_entries; }
    const QDateTime& generatedAt() const { return m_generatedAt; }
    qint64 totalBytes() const { qint64 t = 0; for (auto& e : m_entries) t += e.byteCount; return t; }
    QString totalSizeText() const { return SizeText::bytes(totalBytes()); }
    bool operator==(const InstallerPreviewReport&) const = default;
private:
    QList<Entry> m_entries; QDateTime m_generatedAt;
};
}
