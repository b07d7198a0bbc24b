#pragma once

namespace tk {

// The program: start-up, the run mode chosen from the command line, shutdown.
// Returns the process exit code: 0 after a run that worked (and after --help
// or --version), 1 when the run failed (runMode), -1 when no file was given,
// its kind is not supported or the engine could not be started.
int tkMain(int argc, char** argv);

}  // namespace tk
