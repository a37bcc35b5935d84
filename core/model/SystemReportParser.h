#pragma once

#include "core/model/AnalysisReport.h"
#include "core/model/SystemReport.h"

#include <QByteArray>
#include <QString>
#include <exception>

namespace roror::SystemReportParser {

// Why a document could not be read. keyPath names the offending key as a path from the top
// ("cpu.per_core[1]"); it is empty when the document as a whole is at fault.
class Error : public std::exception {
public:
    Error(QString keyPath, QString reason);

    const QString& keyPath() const { return m_keyPath; }
    const QString& reason() const { return m_reason; }
    // "<key path>: <reason>", or the reason alone.
    QString message() const;
    const char* what() const noexcept override { return m_what.constData(); }

private:
    QString m_keyPath;
    QString m_reason;
    QByteArray m_what;
};

// Read a whole status or analysis document. Any key may be missing or null; a value of the
// wrong kind fails the whole read at the first such key in field order (only "network" and
// "batteries"/"battery" of the status document fall back instead). Never returns a partial
// record. The byte overloads reject input that is not UTF-8.
SystemReport parseStatus(const QString& text);
SystemReport parseStatus(const QByteArray& utf8);
AnalysisReport parseAnalysis(const QString& text);
AnalysisReport parseAnalysis(const QByteArray& utf8);

} // namespace roror::SystemReportParser
