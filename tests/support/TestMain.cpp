#include "platform/PreferredLanguages.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <sys/stat.h>
#include <gtest/gtest.h>

// Every test program runs against a sandbox home, so no test can reach the real home folder or
// the real settings even when it forgets to set up its own TestEnv.
int main(int argc, char** argv)
{
    QTemporaryDir sandbox(QDir::tempPath() + QStringLiteral("/roror-test-XXXXXX"));
    const QByteArray root = QDir(sandbox.path()).canonicalPath().toUtf8();
    const QByteArray home = root + "/home";
    QDir().mkpath(QString::fromUtf8(home));
    ::setenv("HOME", home.constData(), 1);
    ::setenv("XDG_CONFIG_HOME", (home + "/.config").constData(), 1);
    ::setenv("XDG_DATA_HOME", (home + "/.local/share").constData(), 1);
    ::setenv("XDG_CACHE_HOME", (home + "/.cache").constData(), 1);
    QDir().mkpath(QString::fromUtf8(root + "/run"));
    ::chmod((root + "/run").constData(), 0700);
    ::setenv("XDG_RUNTIME_DIR", (root + "/run").constData(), 1);
    // The light appearance and no desktop's wallpaper, whatever session runs the tests; tests of
    // either set them up themselves.
    ::setenv("ROROR_APPEARANCE", "light", 1);
    ::unsetenv("XDG_CURRENT_DESKTOP");
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication app(argc, argv);
    roror::SettingsStore::setFilePath(QString::fromUtf8(root + "/settings.ini"));
    roror::PreferredLanguages::setSource([] { return QStringList{QStringLiteral("en-US")}; });

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
