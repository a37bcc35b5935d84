#include "core/engines/uninstall/UninstallPreviewReport.h"

namespace roror {

UninstallPreviewReport::Entry::Entry(QString name_, std::optional<QString> bundleID_, QString source_,
                                     QString uninstallName_, QString path_, std::optional<QString> size_,
                                     std::optional<QString> appSizeText_, std::optional<qint64> appSizeBytes_,
                                     std::optional<QString> leftoverSizeText_, QStringList leftoverPaths_,
                                     std::optional<QDateTime> lastOpened_)
    : id(path_)
    , name(std::move(name_))
    , bundleID(std::move(bundleID_))
    , source(std::move(source_))
    , uninstallName(std::move(uninstallName_))
    , path(std::move(path_))
    , size(std::move(size_))
    , appSizeText(std::move(appSizeText_))
    , appSizeBytes(appSizeBytes_)
    , leftoverSizeText(std::move(leftoverSizeText_))
    , leftoverPaths(std::move(leftoverPaths_))
    , lastOpened(std::move(lastOpened_))
{
}

} // namespace roror
