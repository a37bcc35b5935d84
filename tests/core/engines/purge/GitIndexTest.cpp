#include "core/engines/purge/GitIndex.h"
#include "core/engines/purge/GitRepositories.h"
#include "platform/ToolRunner.h"
#include "tests/core/engines/QtPrinters.h"
#include "tests/support/TestEnv.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace roror;
using roror::test::TestEnv;

namespace {

QByteArray runGit(const QString& folder, const QStringList& arguments)
{
    ToolRunOptions options;
    options.workingDirectory = folder;
    options.timeoutMs = 30000;
    const ToolRunResult run = runTool(QStringLiteral("/usr/bin/git"), arguments, options);
    EXPECT_TRUE(run.succeeded()) << arguments.join(' ').toStdString() << ": " << run.standardError.toStdString();
    return run.standardOutput;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// One index written by hand: entries of the given names with a 20-byte object name.
struct IndexBuilder {
    quint32 version = 2;
    QList<QByteArray> entries;
    QByteArray extensions;
    std::optional<quint32> count;

    QByteArray build() const
    {
        QByteArray data = "DIRC" + be32(version) + be32(count.value_or(entries.size()));
        QByteArray previous;
        for (const QByteArray& name : entries) {
            QByteArray entry(40 + 20, '\0');
            const quint16 flags = static_cast<quint16>(std::min<qsizetype>(name.size(), 0xfff));
            entry.append(static_cast<char>(flags >> 8)).append(static_cast<char>(flags & 0xff));
            if (version == 4) {
                qsizetype common = 0;
                while (common < previous.size() && common < name.size() && previous[common] == name[common])
                    ++common;
                entry.append(static_cast<char>(previous.size() - common)); // below 128 here
                entry.append(name.mid(common)).append('\0');
            } else {
                entry.append(name);
                entry.append(QByteArray(8 - (entry.size() % 8), '\0'));
            }
            data.append(entry);
            previous = name;
        }
        return data + extensions + QByteArray(20, '\0');
    }
};

} // namespace

// Indexes git itself wrote, in each format: the reader names what `git ls-files` names.
TEST(GitIndexReader, ReadsWhatGitWrote)
{
    TestEnv env;
    const struct {
        const char* name;
        QStringList init;
        QStringList afterAdd;
        int hashSize;
    } cases[] = {
        {"version 2", {"init", "-q"}, {}, 20},
        {"version 3 (intent to add)", {"init", "-q"}, {"add", "-N", "later.txt"}, 20},
        {"version 4 (prefix compressed)", {"init", "-q"}, {"update-index", "--index-version", "4"}, 20},
        {"SHA-256", {"init", "-q", "--object-format=sha256"}, {}, 32},
        {"version 3 (skip-worktree)", {"init", "-q"}, {"update-index", "--skip-worktree", "README"}, 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString repo = env.makeDir(QString::fromUtf8(c.name).replace(' ', '-'));
        for (const char* path : {"README", "src/app/main.c", "src/app-x/x.c", "src/app/util.c", "naïve dir/f",
                                 "src/app/deep/er/still/deeper/file.txt", "z"})
            env.writeFile(repo + "/" + QString::fromUtf8(path), "x");
        runGit(repo, c.init);
        runGit(repo, {"add", "-A"});
        env.writeFile(repo + "/later.txt", "y");
        if (!c.afterAdd.isEmpty())
            runGit(repo, c.afterAdd);
        const QByteArray index = readAll(repo + "/.git/index");
        const auto paths = GitIndex::readPaths(index, c.hashSize);
        ASSERT_TRUE(paths.has_value());
        QList<QByteArray> listed = runGit(repo, {"ls-files", "-z"}).split('\0');
        listed.removeAll(QByteArray());
        EXPECT_EQ(*paths, listed);
        EXPECT_EQ(GitRepositories::configUsesSha256(readAll(repo + "/.git/config")), c.hashSize == 32);
        if (c.hashSize == 32) {
            // Read as SHA-1, its entries do not line up.
            EXPECT_FALSE(GitIndex::readPaths(index, 20).has_value());
        }
    }
}

TEST(GitIndexReader, RefusesWhatItCannotReadWhole)
{
    IndexBuilder good;
    good.entries = {"a/b", "a/c", "d"};
    ASSERT_EQ(GitIndex::readPaths(good.build()), (QList<QByteArray>{"a/b", "a/c", "d"}));

    IndexBuilder v4 = good;
    v4.version = 4;
    ASSERT_EQ(GitIndex::readPaths(v4.build()), (QList<QByteArray>{"a/b", "a/c", "d"}));

    // A name of 0xfff bytes or more records 0xfff and is read up to its NUL.
    IndexBuilder longName;
    const QByteArray name = QByteArray(300, 'd') + '/' + QByteArray(4500, 'f');
    longName.entries = {name};
    EXPECT_EQ(GitIndex::readPaths(longName.build()), QList<QByteArray>{name});

    const auto with = [](IndexBuilder builder, auto change) {
        change(builder);
        return builder.build();
    };
    struct Case {
        const char* what;
        QByteArray data;
    };
    const QByteArray whole = good.build();
    const Case cases[] = {
        {"empty", QByteArray()},
        {"another signature", "DIRD" + whole.mid(4)},
        {"version 1", with(good, [](IndexBuilder& b) { b.version = 1; })},
        {"version 5", with(good, [](IndexBuilder& b) { b.version = 5; })},
        {"more entries than bytes", with(good, [](IndexBuilder& b) { b.count = 0xffffffffu; })},
        {"one entry more than written", with(good, [](IndexBuilder& b) { b.count = 4; })},
        {"cut inside an entry", whole.left(12 + 70)},
        {"cut inside the checksum", whole.chopped(1)},
        {"name length disagrees",
         [&] {
             QByteArray d = whole;
             d[12 + 61] = 2; // the first entry records 2 bytes for "a/b"
             return d;
         }()},
        {"extended flags in version 2",
         [&] {
             QByteArray d = whole;
             d[12 + 60] = 0x40;
             return d;
         }()},
        {"version 4 strips more than the previous name",
         [&] {
             QByteArray d = v4.build();
             d[12 + 62] = 9; // the first entry has no previous name
             return d;
         }()},
        {"version 4 name without its NUL", v4.build().left(12 + 62 + 4) + QByteArray(20, 'x')},
        {"split index", with(good, [](IndexBuilder& b) { b.extensions = "link" + be32(20) + QByteArray(20, '\0'); })},
        {"extension longer than the file", with(good, [](IndexBuilder& b) { b.extensions = "TREE" + be32(1000); })},
        {"extension header cut", with(good, [](IndexBuilder& b) { b.extensions = "TRE"; })},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(GitIndex::readPaths(c.data).has_value()) << c.what;

    // Extensions that only add to the index are passed over.
    EXPECT_EQ(GitIndex::readPaths(with(good, [](IndexBuilder& b) { b.extensions = "TREE" + be32(3) + "abc"; })),
              (QList<QByteArray>{"a/b", "a/c", "d"}));
}

TEST(GitIndexReader, PathsPrintedByGitAreUnquoted)
{
    const struct {
        QByteArray printed;
        QByteArray path;
    } cases[] = {
        {"plain/dist", "plain/dist"},
        {"\"say \\\"hi\\\"/dist\"", "say \"hi\"/dist"},
        {"\"tab\\there\\\\x\"", "tab\there\\x"},
        {"\"\\347\\275\\221/dist\"", "\xe7\xbd\x91/dist"},
        {"\"a\\nb\"", "a\nb"},
        {"\"unfinished\\\"", "unfinished\\"},
        {"\"", "\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GitRepositories::unquotedPath(c.printed), c.path) << c.printed.toStdString();
}
