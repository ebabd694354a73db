#pragma once
// Waits on a running event loop, so that servers and processes of this thread go on.

#include <functional>

// Runs the loop until done() holds or deadlineMs pass; false on the deadline.
bool WaitUntil(const std::function<bool()>& done, int deadlineMs);
