// The program from start to exit: fonts, single instance, devices (real or emulated), the main
// window, and the fixed teardown.
#pragma once

namespace vestra::app {

// Returns the process exit code: 0, also for a second copy that only woke the first; 1 when the
// skin cannot be loaded; 2 for a wrong command line.
int RunApplication(int argc, char** argv);

}  // namespace vestra::app
