#include "tests/fuzz/FuzzSupport.h"

#include "platform/PreferredLanguages.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

namespace roror::fuzz {

namespace {

std::unique_ptr<QTemporaryDir>& folder()
{
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}

void prepare()
{
    auto& dir = folder();
    // A target that writes its input to a file each time runs far faster in memory than on a disk.
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    const QString base = memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
    dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/roror-fuzz-XXXXXX"));
    const QString root = QDir(dir->path()).canonicalPath();
    const QString home = root + QStringLiteral("/home");
    QDir().mkpath(home);
    const auto set
        = [](const char* name, const QString& value) { ::setenv(name, QFile::encodeName(value).constData(), 1); };
    set("HOME", home);
    set("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    set("XDG_DATA_HOME", home + QStringLiteral("/.local/share"));
    set("XDG_CACHE_HOME", home + QStringLiteral("/.cache"));
    SettingsStore::setFilePath(root + QStringLiteral("/settings.ini"));
    PreferredLanguages::setSource([] { return QStringList{QStringLiteral("en-US")}; });
}

} // namespace

QString sandbox()
{
    return QDir(folder()->path()).canonicalPath();
}

QList<QByteArray> pieces(const uint8_t* data, size_t size, int count)
{
    QList<QByteArray> out;
    QByteArray rest = bytes(data, size);
    while (out.size() < count - 1) {
        const qsizetype newline = rest.indexOf('\n');
        if (newline < 0)
            break;
        out.append(rest.left(newline));
        rest = rest.mid(newline + 1);
    }
    out.append(rest);
    while (out.size() < count)
        out.append(QByteArray());
    return out;
}

} // namespace roror::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    roror::fuzz::prepare();
    return 0;
}
