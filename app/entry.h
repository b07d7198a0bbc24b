#pragma once

namespace tk {

// The program: start-up, the run mode chosen from the command line, shutdown.
// Returns the process exit code (0, or -1).
int tkMain(int argc, char** argv);

}  // namespace tk
