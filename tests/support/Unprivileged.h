#pragma once

namespace roror::test {

// For a test of what happens when permissions refuse access (unreadable folders, removals that
// fail), which root would sail through. As root, runs the current test again in a copy of this test
// program as the user "nobody" (setpriv), in a temporary folder only that user can use, and reports
// the copy's outcome as this test's; returns true, and the caller returns at once. Otherwise
// returns false and the caller runs its body here.
//
//     if (test::ranUnprivileged())
//         return;
bool ranUnprivileged();

} // namespace roror::test
