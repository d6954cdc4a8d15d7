#pragma once

#include <functional>

namespace kadr::cli {

// Runs the whole of `kadr` with what its platform needs around it. On Windows names and texts
// go to the console in UTF-8 for the run, and Qt's image format plug-ins are looked for beside
// the program; other systems need nothing.
int RunOnPlatform(const std::function<int()>& run);

}  // namespace kadr::cli
