#include "core/support/ProgramStop.h"

#include <atomic>

namespace roror {

namespace {
std::atomic<bool> stopping{false};
}

void requestProgramStop()
{
    stopping.store(true, std::memory_order_relaxed);
}

bool programStopping()
{
    return stopping.load(std::memory_order_relaxed);
}

void clearProgramStop()
{
    stopping.store(false, std::memory_order_relaxed);
}

} // namespace roror
