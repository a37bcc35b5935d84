#include "tests/support/TestEnv.h"

#include "platform/PreferredLanguages.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <cstdlib>

namespace roror::test {

TestEnv::TestEnv(const QStringList& preferredLanguages, const QString& fixedRoot)
    : m_fixedRoot(fixedRoot)
{
    if (!m_fixedRoot.isEmpty()) {
        QDir(m_fixedRoot).removeRecursively();
        QDir().mkpath(m_fixedRoot);
    }
    const QString root = QDir(m_fixedRoot.isEmpty() ? m_dir.path() : m_fixedRoot).canonicalPath();
    m_home = root + QStringLiteral("/home/tester");
    m_outside = root + QStringLiteral("/outside");
    m_settings = root + QStringLiteral("/settings.ini");
    QDir().mkpath(m_home);
    QDir().mkpath(m_outside);
    setEnv("HOME", m_home);
    setEnv("XDG_CONFIG_HOME", m_home + QStringLiteral("/.config"));
    setEnv("XDG_DATA_HOME", m_home + QStringLiteral("/.local/share"));
    setEnv("XDG_CACHE_HOME", m_home + QStringLiteral("/.cache"));
    setEnv("XDG_RUNTIME_DIR", root + QStringLiteral("/run"));
    setEnv("TMPDIR", root + QStringLiteral("/tmp"));
    QDir().mkpath(root + QStringLiteral("/run"));
    QDir().mkpath(root + QStringLiteral("/tmp"));
    m_previousSettings = SettingsStore::filePath();
    SettingsStore::setFilePath(m_settings);
    setPreferredLanguages(preferredLanguages);
}

TestEnv::~TestEnv()
{
    SettingsStore::setFilePath(m_previousSettings);
    PreferredLanguages::setSource([] { return QStringList{QStringLiteral("en-US")}; });
    for (const auto& [name, value] : m_saved) {
        if (value)
            ::setenv(name.constData(), value->constData(), 1);
        else
            ::unsetenv(name.constData());
    }
    if (!m_fixedRoot.isEmpty())
        QDir(m_fixedRoot).removeRecursively();
}

void TestEnv::setEnv(const char* name, const QString& value)
{
    if (!m_saved.count(name)) {
        const char* old = std::getenv(name);
        m_saved[name] = old ? std::optional<QByteArray>(QByteArray(old)) : std::nullopt;
    }
    ::setenv(name, QFile::encodeName(value).constData(), 1);
}

void TestEnv::setLanguagePreference(const QString& raw) const
{
    auto settings = SettingsStore::open();
    settings->setValue(QStringLiteral("roror.language.preference"), raw);
    settings->sync();
}

void TestEnv::setPreferredLanguages(const QStringList& languages) const
{
    PreferredLanguages::setSource([languages] { return languages; });
}

static QString resolve(const QString& home, const QString& path)
{
    return path.startsWith(QLatin1Char('/')) ? path : home + QLatin1Char('/') + path;
}

QString TestEnv::writeFile(const QString& relativeOrAbsolute, const QByteArray& content) const
{
    const QString path = resolve(m_home, relativeOrAbsolute);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
    return path;
}

QString TestEnv::makeDir(const QString& relativeOrAbsolute) const
{
    const QString path = resolve(m_home, relativeOrAbsolute);
    QDir().mkpath(path);
    return path;
}

QString fixturePath(const QString& relative)
{
    return QStringLiteral(ROROR_FIXTURES_DIR) + QLatin1Char('/') + relative;
}

} // namespace roror::test
