#include "platform/ProcessNames.h"

#include <QFile>

#if defined(__linux__)
#include "platform/linux/LinuxProcessFolders.h"
#endif

namespace roror::ProcessNames {

std::optional<QStringList> commandNames(const QString& procRoot)
{
#if defined(__linux__)
    DIR* dir = ::opendir(QFile::encodeName(procRoot).constData());
    if (!dir)
        return std::nullopt;
    QStringList names;
    LinuxProcessFolders::forEachProcessStat(dir, [&names](const char*, const LinuxProcfs::ProcessStat& stat) {
        QString comm = stat.comm;
        for (QChar& c : comm) {
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0))
                c = QLatin1Char('?');
        }
        names.append(comm);
    });
    ::closedir(dir);
    return names;
#else
    Q_UNUSED(procRoot);
    return std::nullopt;
#endif
}

} // namespace roror::ProcessNames
