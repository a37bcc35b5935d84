#pragma once

#include "core/engines/clean/CleanPreviewReport.h"

#include <QString>

namespace roror::CleanPreviewParser {

// ~/.config/roror/clean-list.txt and the legacy ~/.config/zida/clean-list.txt (nothing is read).
QString defaultReportURL(const QString& home);
QString legacyReportURL(const QString& home);

// The file read as UTF-8 and parsed; throws CleanFileError when it cannot be read or decoded.
CleanPreviewReport parseFile(const QString& path);

// A captured terminal report of a cleaning tool, or a plain list of paths with notes and headings.
CleanPreviewReport parse(const QString& text);

} // namespace roror::CleanPreviewParser
