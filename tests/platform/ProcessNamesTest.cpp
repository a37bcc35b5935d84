#include "platform/ProcessNames.h"
#include "tests/support/TestEnv.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace roror;

namespace {

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

} // namespace

TEST(ProcessNames, ReadsTheKernelNameOfEveryProcessFolder)
{
    // The recorded table: a kernel thread with a slash and a dash, a name with a space.
    EXPECT_EQ(sorted(ProcessNames::commandNames(test::fixturePath("status/linux-root/proc")).value()),
              QStringList({"Web Content", "bash", "kworker/u16:3-events_unbound", "sshd"}));

    // Parentheses inside the name, a control character shown as ps shows it, and what is no
    // process: a folder without its stat line, a name that is not a pid, an unreadable line.
    test::TestEnv env;
    env.writeFile("proc/7/stat", "7 (a) (b)) S 1 7 7 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0\n");
    env.writeFile("proc/8/stat", "8 (tab\there) S 1 8 8 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0\n");
    env.makeDir("proc/9");
    env.writeFile("proc/self/stat", "10 (self) S 1 10 10 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 5 0 0\n");
    env.writeFile("proc/11/stat", "garbage\n");
    EXPECT_EQ(sorted(ProcessNames::commandNames(env.home() + "/proc").value()), QStringList({"a) (b)", "tab?here"}));

    EXPECT_FALSE(ProcessNames::commandNames(env.home() + "/missing").has_value());

    // The live table holds this very program, under the name the kernel gives it.
    QFile own(QStringLiteral("/proc/self/comm"));
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    const QString ownName = QString::fromUtf8(own.readAll()).trimmed();
    EXPECT_TRUE(ProcessNames::commandNames().value().contains(ownName)) << ownName.toStdString();
}
