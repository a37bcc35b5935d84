#pragma once

#include <QtGlobal>
#include <optional>

namespace roror::ProcessSignal {

// Sends `signal` to `pid`. With `expectedStartTime`, only while the pid still belongs to the
// process that started then (checked and signalled through one process handle where the kernel
// offers one, so the pid cannot be reused in between). Returns 0 on delivery, else an error
// number: ESRCH when the process is gone or the pid belongs to another process now.
int send(qint64 pid, int signal, std::optional<quint64> expectedStartTime);

// The kernel's start time of a process (clock ticks after boot on Linux); absent when unknown.
std::optional<quint64> startTime(qint64 pid);

// The largest pid the system hands out.
qint64 maximumPid();

} // namespace roror::ProcessSignal
