#pragma once
#include <QList>
#include <QString>
#include <QStringList>
namespace roror {
class UninstallPreviewReport {
public:
    struct Entry { QString id; QString name; QString path; QStringList leftoverPaths; bool operator==(const Entry&) const = default; };
    UninstallPreviewReport() = default;
    explicit UninstallPreviewReport(QList<Entry> e) : m_entries(std::move(e)) {}
    const QList<Entry>& entries() const { return m_entries; }
    bool operator==(const UninstallPreviewReport&) const = default;
private:
    QList<Entry> m_entries;
};
}
