// Whether a window manager that has just started is ready for a program's windows. Kept apart
// so that no X header meets the platform's own names.
#pragma once

#include <string>

namespace lvtest {

// Maps small windows of its own on the display, one after the other, until the manager maps
// one (at most `seconds`); true when it did. A manager that has only just named its check
// window can still lose a window mapped then.
bool ManagerMapsWindows(const std::string& display, int seconds = 30);

} // namespace lvtest
