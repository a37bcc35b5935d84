#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace roror {

struct ToolRunOptions {
    int timeoutMs = -1;                     // the child is killed when it runs longer; <0 waits for its exit
    int maxOutputLines = -1;                // stop reading after this many lines of standard output and end the tool
    std::optional<QStringList> environment; // "KEY=VALUE" entries; absent inherits this process's
    QString workingDirectory;               // empty keeps this process's
};

struct ToolRunResult {
    bool started = false;
    bool timedOut = false;
    bool truncated = false; // the line limit was reached and the tool was ended by us
    bool exitedNormally = false;
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray standardError;

    // Exit status 0, or ended by us after the line limit; a time-out is never a result.
    bool succeeded() const { return started && !timedOut && (truncated || (exitedNormally && exitCode == 0)); }
};

// Runs `program` (an absolute path) with `arguments` as its argument vector, never through a shell.
// Both pipes are drained while the tool runs, so a chatty tool never blocks on a full pipe.
ToolRunResult runTool(const QString& program, const QStringList& arguments, const ToolRunOptions& options = {});

// Standard output decoded as UTF-8, or nothing when the tool could not start, failed or timed out.
std::optional<QString> runToolOutput(const QString& program, const QStringList& arguments,
                                     const ToolRunOptions& options = {});

} // namespace roror
