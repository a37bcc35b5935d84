#include "platform/ToolRunner.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace roror;

namespace {
const QString kSh = QStringLiteral("/bin/sh");
}

TEST(ToolRunner, DrainsOutputLargerThanAPipeOnBothStreams)
{
    // 4 MB on stdout and 1 MB on stderr: a runner that reads one pipe at a time deadlocks here.
    const auto result = runTool(
        kSh, {QStringLiteral("-c"), QStringLiteral("head -c 1048576 /dev/zero >&2; head -c 4194304 /dev/zero")},
        {.timeoutMs = 20000});
    ASSERT_TRUE(result.succeeded());
    EXPECT_EQ(result.standardOutput.size(), 4194304);
    EXPECT_EQ(result.standardError.size(), 1048576);
}

TEST(ToolRunner, NonZeroExitIsNoResult)
{
    const auto result = runTool(kSh, {QStringLiteral("-c"), QStringLiteral("echo partial; exit 3")});
    EXPECT_TRUE(result.started);
    EXPECT_TRUE(result.exitedNormally);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_FALSE(result.succeeded());
    EXPECT_FALSE(runToolOutput(kSh, {QStringLiteral("-c"), QStringLiteral("exit 1")}).has_value());
}

TEST(ToolRunner, TimeOutKillsTheChildAndItsChildren)
{
    QElapsedTimer timer;
    timer.start();
    // The grandchild keeps the pipe open; killing only the shell would leave the read hanging.
    const auto result = runTool(kSh, {QStringLiteral("-c"), QStringLiteral("sleep 30 & sleep 30")}, {.timeoutMs = 300});
    EXPECT_TRUE(result.timedOut);
    EXPECT_FALSE(result.succeeded());
    EXPECT_LT(timer.elapsed(), 10000);
}

TEST(ToolRunner, LineLimitEndsAnEndlessTool)
{
    const auto result = runTool(QStringLiteral("/usr/bin/yes"), {QStringLiteral("member")},
                                {.timeoutMs = 10000, .maxOutputLines = 50});
    EXPECT_TRUE(result.truncated);
    EXPECT_FALSE(result.timedOut);
    EXPECT_TRUE(result.succeeded());
    EXPECT_EQ(result.standardOutput.count('\n'), 50);
}

TEST(ToolRunner, ArgumentsArePassedLiterallyWithoutAShell)
{
    const QStringList hostile = {QStringLiteral("$(touch canary)"), QStringLiteral("a b"), QStringLiteral("`id`"),
                                 QStringLiteral("-n"), QStringLiteral("'\"")};
    const auto output = runToolOutput(QStringLiteral("/usr/bin/printf"), QStringList{QStringLiteral("[%s]")} + hostile);
    ASSERT_TRUE(output.has_value());
    EXPECT_EQ(*output, QStringLiteral("[$(touch canary)][a b][`id`][-n]['\"]"));
}

TEST(ToolRunner, RefusesRelativeProgramsAndMissingOnes)
{
    EXPECT_FALSE(runTool(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("true")}).started);
    EXPECT_FALSE(runTool(QStringLiteral("/nonexistent/tool"), {}).started);
}

TEST(ToolRunner, EnvironmentAndWorkingDirectoryAreHonoured)
{
    const auto output = runToolOutput(
        kSh, {QStringLiteral("-c"), QStringLiteral("echo \"$ROROR_X\"; pwd")},
        {.environment = QStringList{QStringLiteral("ROROR_X=hello")}, .workingDirectory = QStringLiteral("/")});
    ASSERT_TRUE(output.has_value());
    EXPECT_EQ(*output, QStringLiteral("hello\n/\n"));
}
