#pragma once
// Waits on a running event loop, so that servers and processes of this thread go on.

#include <functional>

// Runs the loop until done() holds or deadlineMs pass; false on the deadline.
bool WaitUntil(const std::function<bool()>& done, int deadlineMs);

// The same, turning the events as the program's DoEvents does, nested in the test: what
// the test itself deleted later (an unloaded window) stays until the wait is over.
bool DoEventsUntil(const std::function<bool()>& done, int deadlineMs);
