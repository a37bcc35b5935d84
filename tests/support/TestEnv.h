#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QByteArray>
#include <map>
#include <optional>

namespace roror::test {

// A throw-away home for one test: HOME, XDG_* folders, the settings file and the preferred
// languages all point into a temporary folder and are restored when the object goes away.
class TestEnv {
public:
    // `root`, when given, is a fixed folder used instead of a temporary one (emptied first and removed
    // at the end), so paths come out the same on every run.
    explicit TestEnv(const QStringList& preferredLanguages = {QStringLiteral("en-US")}, const QString& root = {});
    ~TestEnv();
    TestEnv(const TestEnv&) = delete;
    TestEnv& operator=(const TestEnv&) = delete;

    QString home() const { return m_home; }
    // A folder beside the fake home (outside it), for canaries and link targets.
    QString outside() const { return m_outside; }
    QString settingsPath() const { return m_settings; }

    // Stores the language choice the core reads ("roror.language.preference").
    void setLanguagePreference(const QString& raw) const;
    void setPreferredLanguages(const QStringList& languages) const;

    // Creates a file (and its folders) below the fake home or at an absolute path.
    QString writeFile(const QString& relativeOrAbsolute, const QByteArray& content = QByteArray()) const;
    QString makeDir(const QString& relativeOrAbsolute) const;

private:
    void setEnv(const char* name, const QString& value);

    QTemporaryDir m_dir;
    QString m_fixedRoot;
    QString m_home;
    QString m_outside;
    QString m_settings;
    QString m_previousSettings;
    std::map<QByteArray, std::optional<QByteArray>> m_saved;
};

// Absolute path of a file under tests/fixtures.
QString fixturePath(const QString& relative);

} // namespace roror::test
