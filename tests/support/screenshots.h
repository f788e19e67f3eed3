// Where tests leave the screenshots they take, for people to look at: a "screenshots" folder
// in the test binary's scratch root (LUMIVISTA_ROOT as the test started), else in the
// temporary folder.
#pragma once

#include <string>

namespace lvtest {

// The path for a screenshot file of that name; its folder exists.
std::string ScreenshotPath(const std::string& name);

} // namespace lvtest
