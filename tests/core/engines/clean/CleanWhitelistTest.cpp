#include "core/engines/clean/CleanFileError.h"
#include "core/engines/clean/CleanWhitelistMatcher.h"
#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/support/StandardPath.h"
#include "tests/core/engines/clean/CleanFixtures.h"
#include "tests/support/TestEnv.h"
#include "tests/support/Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

using namespace roror;
using roror::test::TestEnv;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

TEST(CleanWhitelistStore, DefaultsWhenNoFileExists)
{
    TestEnv env;
    const QStringList defaults = CleanWhitelistStore::defaultPatterns();
    ASSERT_EQ(defaults.size(), 21);
    EXPECT_EQ(defaults.first(), "$HOME/Library/Caches/ms-playwright*");
    EXPECT_EQ(defaults.at(12), "$HOME/Library/Caches/tealdeer/tldr-pages");
    EXPECT_EQ(defaults.last(), "FINDER_METADATA");
    EXPECT_EQ(CleanWhitelistStore::load(env.home()).patterns, defaults);
    EXPECT_EQ(CleanWhitelistStore::configURL(env.home()), env.home() + "/.config/roror/whitelist");
    EXPECT_EQ(CleanWhitelistStore::legacyConfigURL(env.home()), env.home() + "/.config/zida/whitelist");
}

TEST(CleanWhitelistStore, SaveWritesExactBytes)
{
    TestEnv env;
    const QString file = env.home() + "/.config/roror/whitelist";
    CleanWhitelistStore::save({{"  /a  ", "/b", "", "/a", "# kept as written", "\t"}}, env.home());
    EXPECT_EQ(readAll(file),
              QByteArray("# Roror Whitelist - Protected paths won't be deleted\n"
                         "# Add one path or pattern per line to keep it safe.\n"
                         "\n"
                         "/a\n"
                         "/b\n"
                         "# kept as written\n"));
    EXPECT_EQ(CleanWhitelistStore::load(env.home()).patterns, QStringList({"/a", "/b"}));

    CleanWhitelistStore::save({}, env.home());
    EXPECT_EQ(readAll(file),
              QByteArray("# Roror Whitelist - Protected paths won't be deleted\n"
                         "# Add one path or pattern per line to keep it safe.\n\n"));
    EXPECT_EQ(CleanWhitelistStore::load(env.home()).patterns, CleanWhitelistStore::defaultPatterns())
        << "an empty list cannot be stored";
}

TEST(CleanWhitelistStore, LoadTrimsDropsCommentsAndDuplicates)
{
    TestEnv env;
    const QList<std::pair<const char*, QByteArray>> table = {
        {"LF", "   /a  \n/a\n# comment\n\n/b\n"},
        {"CRLF", "   /a  \r\n/a\r\n# comment\r\n\r\n/b\r\n"},
        {"mixed breaks", "\t/a\x0b/a\x0c  # indented comment\r/b\xc2\x85"},
        {"unicode breaks", "/a\xe2\x80\xa8/a\xe2\x80\xa9/b"},
    };
    for (const auto& [name, content] : table) {
        env.writeFile(".config/roror/whitelist", content);
        EXPECT_EQ(CleanWhitelistStore::load(env.home()).patterns, QStringList({"/a", "/b"})) << name;
    }
}

TEST(CleanWhitelistStore, LegacyFileIsReadOnlyWhenTheCurrentOneIsMissing)
{
    TestEnv env;
    const QString legacy = env.writeFile(".config/zida/whitelist", "/legacy\n");
    EXPECT_EQ(CleanWhitelistStore::load(env.home()).patterns, QStringList({"/legacy"}));

    // A current file without patterns gives the defaults; the legacy file is not consulted.
    env.writeFile(".config/roror/whitelist", "# Roror Whitelist - Protected paths won't be deleted\n\n");
    EXPECT_EQ(CleanWhitelistStore::load(env.home()).patterns, CleanWhitelistStore::defaultPatterns());

    CleanWhitelistStore::save({{"/current"}}, env.home());
    EXPECT_EQ(CleanWhitelistStore::load(env.home()).patterns, QStringList({"/current"}));
    EXPECT_EQ(readAll(legacy), QByteArray("/legacy\n")) << "the legacy file is never written";
}

TEST(CleanWhitelistStore, UnreadableFilesThrow)
{
    if (test::ranUnprivileged())
        return;
    TestEnv env;
    env.writeFile(".config/roror/whitelist", QByteArray("/a\n\xff\xfe/b\n"));
    EXPECT_THROW(CleanWhitelistStore::load(env.home()), CleanFileError);

    QFile::remove(env.home() + "/.config/roror/whitelist");
    env.makeDir(".config/roror/whitelist"); // exists, but cannot be read as a file
    EXPECT_THROW(CleanWhitelistStore::load(env.home()), CleanFileError);

    QDir(env.home() + "/.config/roror/whitelist").removeRecursively();
    const QString file = env.writeFile(".config/roror/whitelist", "/a\n");
    QFile::setPermissions(file, QFileDevice::WriteOwner);
    EXPECT_THROW(CleanWhitelistStore::load(env.home()), CleanFileError);
}

// A list that was a named pipe used to hang the clean; one huge line took hundreds of megabytes.
TEST(CleanWhitelistStore, OnlyARegularFileOfAtMostOneMiBIsReadTable)
{
    const QByteArray oneMiB = "/a\n" + QByteArray(1024 * 1024 - 3, '#');
    const struct {
        const char* name;
        std::function<void(const TestEnv&, const QString& file)> make;
        std::optional<CleanFileError::Kind> error; // none: read
        bool fifo = false;
    } table[] = {
        {"a named pipe", [](const TestEnv&, const QString& file) { ASSERT_TRUE(test::makeFifo(file)); },
         CleanFileError::Kind::notRegularFile, true},
        {"a link to a device", [](const TestEnv&, const QString& file) { QFile::link("/dev/zero", file); },
         CleanFileError::Kind::notRegularFile},
        {"a folder", [](const TestEnv& e, const QString& file) { e.makeDir(file); },
         CleanFileError::Kind::notRegularFile},
        {"one byte over 1 MiB", [&](const TestEnv& e, const QString& file) { e.writeFile(file, oneMiB + "#"); },
         CleanFileError::Kind::tooLarge},
        {"one line of 64 MiB",
         [](const TestEnv& e, const QString& file) { e.writeFile(file, "/" + QByteArray(64 << 20, 'a')); },
         CleanFileError::Kind::tooLarge},
        {"exactly 1 MiB", [&](const TestEnv& e, const QString& file) { e.writeFile(file, oneMiB); }, std::nullopt},
        {"a link to a list",
         [](const TestEnv& e, const QString& file) {
             QFile::link(e.writeFile(e.outside() + "/dotfiles/whitelist", "/a\n"), file);
         },
         std::nullopt},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.name);
        TestEnv env;
        const QString file = env.makeDir(".config/roror") + "/whitelist";
        c.make(env, file);
        const auto load = [&env] { return CleanWhitelistStore::load(env.home()); };
        try {
            const CleanWhitelistState state = c.fifo ? test::withFifoUnblocked(file, load) : load();
            EXPECT_FALSE(c.error.has_value()) << "read without an error";
            EXPECT_EQ(state.patterns, QStringList{"/a"});
        } catch (const CleanFileError& error) {
            ASSERT_TRUE(c.error.has_value()) << error.description().toStdString();
            EXPECT_EQ(error.kind(), *c.error);
            EXPECT_EQ(error.path(), file);
            EXPECT_TRUE(error.description().contains(file)) << error.description().toStdString();
        }
    }
}

// A relative line used to load without a word, protect nothing, and let what it named be deleted.
TEST(CleanWhitelistStore, ALineThatCanNeverMatchStopsTheCleanButStillLoadsIntoTheEditor)
{
    const struct {
        QByteArray content;
        QString badLine; // empty: the list is fine
    } table[] = {
        {"# mine\nFINDER_METADATA\n$HOME/x\n~/y\n/z\n*/node_modules/keep\n", {}},
        {"~/Library/Caches/a\nLibrary/Caches/keep\n", "Library/Caches/keep"},
        {"  ./keep  \n", "./keep"},
        {"~someone/Library\n", "~someone/Library"},
        {"finder_metadata\n", "finder_metadata"},
        {"keep*\n", "keep*"},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.content.toStdString());
        TestEnv env;
        const QString file = env.writeFile(".config/roror/whitelist", c.content);
        const QStringList loaded = CleanWhitelistStore::load(env.home()).patterns;
        if (c.badLine.isEmpty()) {
            EXPECT_EQ(CleanWhitelistStore::loadForClean(env.home()).patterns, loaded);
            continue;
        }
        EXPECT_TRUE(loaded.contains(c.badLine)) << "the editor shows the line so it can be put right";
        try {
            CleanWhitelistStore::loadForClean(env.home());
            FAIL() << "expected an error";
        } catch (const CleanFileError& error) {
            EXPECT_EQ(error.kind(), CleanFileError::Kind::neverMatches);
            EXPECT_TRUE(error.description().contains(c.badLine)) << error.description().toStdString();
            EXPECT_TRUE(error.description().contains(file)) << error.description().toStdString();
        }
    }
    TestEnv env;
    EXPECT_EQ(CleanWhitelistStore::loadForClean(env.home()).patterns, CleanWhitelistStore::defaultPatterns());
}

TEST(CleanWhitelistStore, SaveFailuresThrowAndKeepTheOldFile)
{
    TestEnv env;
    env.writeFile(".config", "a file where the folder should be");
    try {
        CleanWhitelistStore::save({{"/a"}}, env.home());
        FAIL() << "expected an error";
    } catch (const CleanFileError& error) {
        EXPECT_EQ(error.kind(), CleanFileError::Kind::folderNotCreated);
        EXPECT_FALSE(error.description().isEmpty());
    }
}

TEST(CleanWhitelistMatcher, PatternTable)
{
    const QString home = QStringLiteral("/Users/u");
    const QStringList defaults = CleanWhitelistStore::defaultPatterns();
    struct Case {
        QStringList patterns;
        QString path;
        bool covered;
    };
    const QList<Case> table = {
        // Default row 11: a plain text prefix, so a sibling starting with the same text is covered too.
        {{defaults.at(10)}, "/Users/u/Library/Caches/JetBrains", true},
        {{defaults.at(10)}, "/Users/u/Library/Caches/JetBrains/IdeaIC/x", true},
        {{defaults.at(10)}, "/Users/u/Library/Caches/JetBrainsToolbox", true},
        {{defaults.at(10)}, "/Users/u/Library/Caches/jetbrains", false},
        // Default row 15: no star, the folder and what is below it, not a sibling.
        {{defaults.at(14)}, "/Users/u/Library/Caches/com.apple.finder", true},
        {{defaults.at(14)}, "/Users/u/Library/Caches/com.apple.finder/a", true},
        {{defaults.at(14)}, "/Users/u/Library/Caches/com.apple.finderX", false},
        // Default row 3: "/*" covers what is inside, not the folder.
        {{defaults.at(2)}, "/Users/u/.m2/repository", false},
        {{defaults.at(2)}, "/Users/u/.m2/repository/org", true},
        // An inner star is a whole-path wildcard, anchored at both ends.
        {{"$HOME/Library/*/Cache"}, "/Users/u/Library/a/b/Cache", true},
        {{"$HOME/Library/*/Cache"}, "/Users/u/Library/a/Cache/x", true}, // below a matched path
        {{"$HOME/Library/*/Cache"}, "/Users/u/Library/a/Caches", false},
        {{"$HOME/Library/a+b(*)/x"}, "/Users/u/Library/a+b(zz)/x", true},
        // With a star before the trailing one, the whole pattern is a wildcard (a literal star would
        // leave it protecting nothing).
        {{"$HOME/Library/*/keep*"}, "/Users/u/Library/Caches/keepsake", true},
        {{"$HOME/Library/*/keep*"}, "/Users/u/Library/Caches/kept", false},
        // FINDER_METADATA.
        {{"FINDER_METADATA"}, "/anywhere/deep/.DS_Store", true},
        {{"FINDER_METADATA"}, "/anywhere/.DS_Store.bak", false},
        {{"FINDER_METADATA"}, "/x/com.apple.finder/inner", true},
        {{"FINDER_METADATA"}, "/x/com.apple.Finder/inner", true},
        {{"FINDER_METADATA"}, "/x/com.apple.finder", false},
        // "~" stands for home only where it stands first; "$HOME" anywhere.
        {{"~/Library/Keep"}, "/Users/u/Library/Keep/a", true},
        {{"~"}, "/Users/u/anything", true},
        {{"/Volumes/x/com~apple~CloudDocs"}, "/Volumes/x/com~apple~CloudDocs/a", true},
        {{"/Volumes/x/com~apple~CloudDocs"}, "/Volumes/x/com/Users/uapple/Users/uCloudDocs/a", false},
        {{"/data$HOME/x"}, "/data/Users/u/x", true},
        // A folder written with a trailing "/" still names that folder.
        {{"~/Library/Caches/App/"}, "/Users/u/Library/Caches/App", true},
        {{"$HOME/Library/Caches/App//"}, "/Users/u/Library/Caches/App/data/x", true},
        {{"~/Library/Caches/App/"}, "/Users/u/Library/Caches/AppX", false},
        {{"~/"}, "/Users/u/Library", true},
        {{"$HOME/Library/*/Cache/"}, "/Users/u/Library/a/b/Cache", true},
        // Paths are standardized before matching; case matters.
        {{"$HOME/Library/Caches/tealdeer/tldr-pages"}, "/Users/u/Library/Caches/x/../tealdeer/./tldr-pages/", true},
        {{"$HOME/Library/Caches/com.apple.Spotlight*"}, "/Users/u/Library/Caches/com.apple.spotlight", false},
        // No pattern protects nothing.
        {{}, "/Users/u/Library/Caches", false},
    };
    for (const Case& c : table) {
        EXPECT_EQ(CleanWhitelistMatcher::isProtected(c.path, c.patterns, home), c.covered)
            << c.patterns.join(",").toStdString() << " vs " << c.path.toStdString();
        // The prepared form agrees with the one-shot form.
        const CleanWhitelistMatcher matcher(c.patterns, home);
        EXPECT_EQ(matcher.covers(standardizedPath(c.path)), c.covered) << c.path.toStdString();
    }
}

TEST(CleanWhitelistMatcher, DefaultsAgainstTheLibrary)
{
    const QString home = QStringLiteral("/Users/u");
    const QStringList defaults = CleanWhitelistStore::defaultPatterns();
    for (const char* protectedPath :
         {"/Users/u/Library/Caches/ms-playwright-go", "/Users/u/.cache/huggingface/hub", "/Users/u/.gradle/caches/x",
          "/Users/u/Library/Caches/pypoetry/virtualenvs/env", "/Users/u/Library/Mobile Documents/x",
          "/Users/u/Library/Caches/CloudKit", "/Users/u/Library/Caches/Foo/.DS_Store"})
        EXPECT_TRUE(CleanWhitelistMatcher::isProtected(protectedPath, defaults, home)) << protectedPath;
    for (const char* freePath :
         {"/Users/u/Library/Caches", "/Users/u/Library/Caches/pypoetry", "/Users/u/Library/Caches/pypoetry/cache",
          "/Users/u/.gradle/caches", "/Users/u/Library/Caches/Google"})
        EXPECT_FALSE(CleanWhitelistMatcher::isProtected(freePath, defaults, home)) << freePath;
}

TEST(CleanWhitelistMatcher, PatternsAreStandardizedAndComposedBeforeMatching)
{
    const QString home = QStringLiteral("/Users/u");
    const QString nfc = QStringLiteral("Caf\u00E9");
    const QString nfd = QStringLiteral("Cafe\u0301");
    struct Case {
        QString pattern;
        QString path;
        bool covered;
    };
    const QList<Case> table = {
        // Spelled with redundant components, the pattern still names the folder.
        {"~/Library/Caches//keep", "/Users/u/Library/Caches/keep/a", true},
        {"~/Library/Caches/./keep", "/Users/u/Library/Caches/keep", true},
        {"~/Library/Caches/x/../keep", "/Users/u/Library/Caches/keep/a/b", true},
        {"$HOME//Library/./Caches/keep/.", "/Users/u/Library/Caches/keep", true},
        {"~/Library/Caches/x/../keep", "/Users/u/Library/Caches/x", false},
        // A name typed composed covers the name stored decomposed, and the other way round.
        {"~/Documents/" + nfc, "/Users/u/Documents/" + nfd + "/thesis.tex", true},
        {"~/Documents/" + nfd, "/Users/u/Documents/" + nfc, true},
        {"~/Documents/" + nfc + "*", "/Users/u/Documents/" + nfd + " Menu", true},
        {"~/*/" + nfc, "/Users/u/Documents/" + nfd + "/x", true},
        // A wildcard covers what lies below the paths it matches.
        {"~/Library/Developer/*/DerivedData", "/Users/u/Library/Developer/Xcode/DerivedData/ModuleCache.noindex", true},
        {"~/Library/Developer/*/DerivedData", "/Users/u/Library/Developer/Xcode/DerivedData", true},
        {"~/Library/Developer/*/DerivedData", "/Users/u/Library/Developer/Xcode/DerivedDataOld", false},
        {"~/Library/Application Support/Google/*/Default",
         "/Users/u/Library/Application Support/Google/Chrome/Default/Code Cache/js/index", true},
        {"~/Library/Application Support/Google/*/Default", "/Users/u/Library/Application Support/Google/Chrome", false},
        // The folder part of a trailing-star pattern is standardized, the name start is kept as written.
        {"~/.m2//repository/*", "/Users/u/.m2/repository", false},
        {"~/.m2//repository/*", "/Users/u/.m2/repository/org", true},
        {"~/Library/Caches/x/../.*", "/Users/u/Library/Caches/.hidden", true},
        {"~/Library/Caches/x/../.*", "/Users/u/Library/Caches/visible", false},
        // A relative pattern names no place: it is not read against the current folder.
        {"Library/Caches/keep", QDir::currentPath() + "/Library/Caches/keep", false},
    };
    for (const Case& c : table) {
        EXPECT_EQ(CleanWhitelistMatcher::isProtected(c.path, {c.pattern}, home), c.covered)
            << c.pattern.toStdString() << " vs " << c.path.toStdString();
    }
}

TEST(CleanWhitelistMatcher, LinesThatCanNeverMatchAreRecognised)
{
    const QString home = QStringLiteral("/Users/u");
    const QList<std::pair<QString, bool>> table = {
        {"~/Library/Caches/keep", true},
        {"$HOME/x", true},
        {"/Volumes/Data/keep", true},
        {"*/node_modules/keep", true},
        {"FINDER_METADATA", true},
        {"# a note", true},
        {"  ~/padded  ", true},
        {"~", true},
        {"Library/Caches/keep", false},
        {"./keep", false},
        {"~someone/keep", false},
        {"finder_metadata", false},
        {"keep*", false},
    };
    for (const auto& [line, valid] : table)
        EXPECT_EQ(CleanWhitelistMatcher::canEverMatch(line, home), valid) << line.toStdString();
    // With no home, "$HOME" expands to nothing and leaves a relative or empty line.
    EXPECT_FALSE(CleanWhitelistMatcher::canEverMatch(QStringLiteral("$HOME"), QString()));
    EXPECT_FALSE(CleanWhitelistMatcher::canEverMatch(QStringLiteral("$HOMELibrary"), QString()));
}

namespace {

// The wildcard rule as it used to be built: every "*" a ".*" of a regular expression anchored at both
// ends. Kept here as the reference the linear matcher must agree with.
bool referenceWildcard(const QString& glob, const QString& text)
{
    QString escaped = QRegularExpression::escape(glob);
    escaped.replace(QLatin1String("\\*"), QLatin1String(".*"));
    const QRegularExpression expression(QLatin1Char('^') + escaped + QLatin1Char('$'));
    return expression.isValid() && expression.match(text).hasMatch();
}

} // namespace

TEST(CleanWhitelistMatcher, WildcardsAgreeWithTheRegularExpressionTheyReplace)
{
    const QStringList globs = {
        "/a/*/c",  "/a/*",   "*",      "**",       "*/c",      "/a*b*c", "/a/*/b/*/c", "*a*",
        "/x+y(*)", "/[*]",   "/a.b/*", "/a/*/*/d", "/a*a*a*b", "/ab*ba", "/a/b",       "*.DS_Store",
        "/ü/*/é",  "/a**/c", "/a/*c*", "",         "/a/*/",    "$*^",    "/a\\*\\b",
    };
    const QStringList paths = {
        "/a/b/c",       "/a/c",   "/a//c", "/a/b/c/d", "/a",      "/a/",    "/abc",   "/aXbYc",
        "/abbac",       "/aba",   "/ab",   "/x+y(z)",  "/[q]",    "/a.b/x", "/aXb/x", "/a/b/c/d/e",
        "/a/1/2/d",     "/a/1/d", "/aaab", "/aab",     "/ba",     "/ü/x/é", "/ü/é",   "",
        "/q/.DS_Store", "/a/xcx", "$x^",   "/a\\1\\b", "/a/bc/c",
    };
    for (const QString& glob : globs) {
        for (const QString& path : paths) {
            EXPECT_EQ(CleanWhitelistMatcher::wildcardMatches(glob, path), referenceWildcard(glob, path))
                << glob.toStdString() << " vs " << path.toStdString();
        }
    }
}

TEST(CleanWhitelistMatcher, AWildcardThatMadeTheOldExpressionBacktrackFinishesOnALongPath)
{
    const QString glob = QStringLiteral("/a*a*a*a*a*b");
    QString longPath = QStringLiteral("/") + QString(4000, QLatin1Char('a'));
    EXPECT_FALSE(CleanWhitelistMatcher::wildcardMatches(glob, longPath));
    EXPECT_TRUE(CleanWhitelistMatcher::wildcardMatches(glob, longPath + QLatin1Char('b')));

    // The same pattern in a list, over many long paths, as a clean of a large cache would check them.
    const CleanWhitelistMatcher matcher({QStringLiteral("/a*a*a*a*a*b"), QStringLiteral("/a*a*a*a*a*b/c")},
                                        QStringLiteral("/Users/u"));
    int covered = 0;
    for (int i = 0; i < 2000; ++i)
        covered += matcher.covers(longPath + QLatin1Char('/') + QString::number(i)) ? 1 : 0;
    EXPECT_EQ(covered, 0);
    EXPECT_TRUE(matcher.covers(QStringLiteral("/") + QString(4000, QLatin1Char('a')) + QStringLiteral("b/x")));
}

namespace {

// Each pattern on its own, tried on the path and on each folder above it: what the matcher's index
// must agree with.
bool referenceCovers(const QStringList& patterns, const QString& home, const QString& path)
{
    for (QString p = path; !p.isEmpty(); p = p.left(std::max<qsizetype>(p.lastIndexOf('/'), 0))) {
        for (const QString& pattern : patterns) {
            if (pattern == "FINDER_METADATA") {
                if (p.endsWith("/.DS_Store") || p.contains("/com.apple.finder/") || p.contains("/com.apple.Finder/"))
                    return true;
            } else if (CleanWhitelistMatcher::matchesGlob(CleanWhitelistMatcher::expandPattern(pattern, home), p)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

TEST(CleanWhitelistMatcher, TheIndexedListAgreesWithEachPatternOnItsOwn)
{
    const QString home = QStringLiteral("/Users/u");
    QStringList patterns = CleanWhitelistStore::defaultPatterns();
    patterns << "/a/b"
             << "/a/bc*"
             << "/a/*/c"
             << "/a/d/*"
             << "*/x/keep"
             << "/a/e*f/g"
             << "/q*"
             << "~/k"
             << "$HOME/Library/Caches/tool/*/models"
             << "/ü/é"
             << "/a/b/deep/er"
             << "~/.npm/*/keep"
             << "/r/s/t*";
    const QStringList paths = {
        "/a",
        "/a/b",
        "/a/b/x",
        "/a/bc",
        "/a/bcd/e",
        "/a/bd",
        "/a/z/c",
        "/a/z/y/c",
        "/a/z/c/w",
        "/a/z/cc",
        "/a/d",
        "/a/d/x",
        "/m/x/keep",
        "/m/x/keep/z",
        "/m/x/keeper",
        "/a/eXf/g",
        "/a/ef/g/h",
        "/a/e/f/g",
        "/q",
        "/qr/s",
        "/p/q",
        "/Users/u/k",
        "/Users/u/k2",
        "/Users/u/.npm/a/keep",
        "/Users/u/.npm/a/b/keep/c",
        "/Users/u/.npm/keep",
        "/Users/u/Library/Caches/tool/v/models",
        "/Users/u/Library/Caches/tool/models",
        "/ü/é",
        "/ü/é/x",
        "/ü/e",
        "/r/s/t",
        "/r/s/tu/v",
        "/r/s",
        "/Users/u/Library/Caches/JetBrainsToolbox",
        "/Users/u/Library/Caches/com.apple.finder",
        "/Users/u/Library/Caches/com.apple.finderX",
        "/x/com.apple.Finder/y",
        "/x/com.apple.finder",
        "/x/.DS_Store",
        "/x/.DS_Store/y",
        "/Users/u/.m2/repository",
        "/Users/u/.m2/repository/o",
        "/Users/u/Library/Mobile Documents x",
    };
    const CleanWhitelistMatcher all(patterns, home);
    for (const QString& path : paths) {
        EXPECT_EQ(all.covers(path), referenceCovers(patterns, home, path)) << path.toStdString();
        for (const QString& pattern : patterns) {
            EXPECT_EQ(CleanWhitelistMatcher::isProtected(path, {pattern}, home), referenceCovers({pattern}, home, path))
                << pattern.toStdString() << " vs " << path.toStdString();
        }
    }
}
