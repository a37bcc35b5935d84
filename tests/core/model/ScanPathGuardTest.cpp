#include "core/model/ScanPathGuard.h"
#include "tests/support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace roror;
using roror::test::TestEnv;

TEST(ScanPathGuard, RootsInOrderFromTheStandardizedHome)
{
    EXPECT_EQ(ScanPathGuard::allowedTrashRoots(QStringLiteral("/Users/ann/./x/../")),
              (QStringList{"/Users/ann", "/Applications", "/Users/ann/Applications", "/Users/ann/Library"}));
}

TEST(ScanPathGuard, AllowedAndRefusedPaths)
{
    TestEnv env;
    // "~" stands for the fake home, "@" for a folder beside it (outside the roots).
    const QString home = env.home();
    env.makeDir(QStringLiteral("Library/Caches"));
    env.makeDir(QStringLiteral("Downloads"));
    env.makeDir(env.outside() + QStringLiteral("/secret"));
    env.writeFile(env.outside() + QStringLiteral("/secret/file"), "x");
    QFile::link(env.outside() + QStringLiteral("/secret"), home + QStringLiteral("/escape"));
    QFile::link(home, home + QStringLiteral("/self"));
    QFile::link(home + QStringLiteral("/Downloads"), home + QStringLiteral("/inner"));
    QFile::link(env.outside() + QStringLiteral("/missing"), home + QStringLiteral("/dangling"));
    QFile::link(env.outside() + QStringLiteral("/secret"), home + QStringLiteral("/Library/Shortcut"));
    // A home reached through a link.
    QFile::link(home, env.outside() + QStringLiteral("/homelink"));

    const struct {
        const char* path;
        bool allowed;
        const char* home = "~";
    } cases[] = {
        // Inside the home folder.
        {"~/Downloads/file", true},
        {"~/Library/Caches/x", true},
        {"~/Applications/y.app", true},
        {"~/Downloads/not-there-yet/file", true},
        // Only a path in standard form is judged: the kernel would walk its "..", not the text.
        {"~/./Downloads/file", false},
        {"~/Library/Caches/", false},
        {"~//Downloads/file", false},
        {"~/Downloads/x/../file", false},
        {"~/escape/../Downloads/file", false},
        // The roots themselves are never trashed.
        {"~", false},
        {"~/", false},
        {"~/.", false},
        {"~/Library", false},
        {"~/Library/", false},
        {"~/Applications", false},
        {"~/Downloads/..", false},
        {"/Applications", false},
        {"/Applications/", false},
        // "/Applications" and below.
        {"/Applications/Some.app", true},
        {"/Applications/Some.app/Contents/x", true},
        {"/Applications2/Some.app", false},
        {"/ApplicationsX", false},
        {"/applications/Some.app", false},
        // Outside every root.
        {"~a/file", false},
        {"~/../other/file", false},
        {"@/secret/file", false},
        {"/", false},
        {"/System/Library/x", false},
        {"/Library/Caches/x", false},
        {"", false},
        // Relative paths are refused, even when they would land inside home.
        {"Downloads/file", false},
        {"./Downloads/file", false},
        // Links: the item itself is not resolved, the folders above it are.
        {"~/escape", true},
        {"~/escape/file", false},
        {"~/Library/Shortcut", true},
        {"~/Library/Shortcut/file", false},
        {"~/inner/file", true},
        {"~/self/Downloads/file", true},
        {"~/self/Library", false},
        {"~/self/Applications", false},
        {"~/self", true},
        {"~/dangling", true},
        {"~/dangling/file", false},
        // The home folder given through a link to it.
        {"@/homelink/Downloads/file", true, "@/homelink"},
        {"@/homelink/escape/file", false, "@/homelink"},
        {"@/homelink", false, "@/homelink"},
    };
    const auto expand = [&](const char* text) {
        QString s = QString::fromUtf8(text);
        if (s.startsWith(QLatin1Char('~')))
            return home + s.mid(1);
        if (s.startsWith(QLatin1Char('@')))
            return env.outside() + s.mid(1);
        return s;
    };

    const QString previous = QDir::currentPath();
    QDir::setCurrent(home);
    for (const auto& c : cases) {
        const QString path = expand(c.path);
        EXPECT_EQ(ScanPathGuard::isTrashAllowed(path, expand(c.home)), c.allowed)
            << c.path << " -> " << path.toStdString();
    }
    QDir::setCurrent(previous);
}

TEST(ScanPathGuard, TextualRuleForAHomeThatIsNotOnDisk)
{
    // Nothing here exists, so only the text decides, as for a home on another machine.
    const QString home = QStringLiteral("/Users/ann");
    const struct {
        const char* path;
        bool allowed;
    } cases[] = {
        {"/Users/ann/Library/Caches/x", true},
        {"/Users/ann/Applications/y.app", true},
        {"/Users/ann/./Downloads/file", false},
        {"/Users/ann/../bob/file", false},
        {"/Users/anna/file", false},
        {"/USERS/ann/file", false},
        {"/Users/ann", false},
        {"/Users/ann/", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScanPathGuard::isTrashAllowed(QString::fromUtf8(c.path), home), c.allowed) << c.path;
}

TEST(ScanPathGuard, AHomeOfTheFileSystemRootAllowsNothing)
{
    TestEnv env;
    const QString rootLink = env.outside() + QStringLiteral("/rootlink");
    QFile::link(QStringLiteral("/"), rootLink);
    for (const QString& home : {QStringLiteral("/"), QStringLiteral("/tmp/.."), rootLink}) {
        const QString prefix = home == rootLink ? rootLink : QString();
        for (const char* path : {"/etc/passwd", "/tmp/x", "/Applications/Some.app", "/home/someone/file"}) {
            EXPECT_FALSE(ScanPathGuard::isTrashAllowed(prefix + QString::fromUtf8(path), home))
                << path << " with home " << home.toStdString();
        }
    }
}

// The folder a Trash move must act on: the item's parent as the file system places it.
TEST(ScanPathGuard, TheJudgedFolderIsTheRealParentOfAnAllowedPath)
{
    TestEnv env;
    const QString home = env.home();
    const QString real = env.makeDir(QStringLiteral("Stuff/Downloads"));
    QFile::link(real, home + QStringLiteral("/Downloads"));
    QFile::link(env.outside(), home + QStringLiteral("/escape"));
    QFile::link(home, env.outside() + QStringLiteral("/homelink"));
    const struct {
        QString path;
        QString home;
        std::optional<QString> folder;
    } cases[] = {
        {home + QStringLiteral("/Stuff/Downloads/a.dmg"), home, real},
        {home + QStringLiteral("/Downloads/a.dmg"), home, real}, // through a link inside the home
        {home + QStringLiteral("/Downloads"), home, home},       // the link itself
        {env.outside() + QStringLiteral("/homelink/Stuff/a.dmg"), env.outside() + QStringLiteral("/homelink"),
         home + QStringLiteral("/Stuff")},
        {home + QStringLiteral("/escape/a.dmg"), home, std::nullopt},
        {env.outside() + QStringLiteral("/a.dmg"), home, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScanPathGuard::allowedParentFolder(c.path, c.home), c.folder) << c.path.toStdString();
        EXPECT_EQ(ScanPathGuard::isTrashAllowed(c.path, c.home), c.folder.has_value()) << c.path.toStdString();
    }
}
