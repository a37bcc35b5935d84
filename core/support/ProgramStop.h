#pragma once

namespace roror {

// Set when the program is closing. Long walks and runs poll it and end at their next item, so the
// process never waits for them; a destructive run ends after the item under way.
void requestProgramStop();
bool programStopping();
// Clears the request (for tests that stop a run and then go on in the same process).
void clearProgramStop();

} // namespace roror
