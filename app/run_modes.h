#pragma once
// The run modes of the program, one row each: the mode, how the engine is
// started before its loop, and the loop that runs it. The command line, the
// file chooser and a packed program's start all dispatch through this table.

#include <string>

#include "base/command_line.h"

namespace tk {

// What a mode's loop is given: the file, the options of the start (defaults for
// a packed start, with the viewer's flags cleared) and whether the file is read
// from a packed archive.
struct RunRequest {
  std::string file;
  CommandLine options;
  bool packed = false;
};

// How the engine is started before a mode's loop runs.
enum class EngineStart {
  FromSetupFile,            // "tesk-setup.ini" in the program's folder
  FromSetupFileWithDialog,  // the same, with the display dialog allowed
  ByTheMode,                // the loop starts (and shuts down) the engine itself
};

struct RunModeRow {
  RunMode mode;
  const char* name;
  EngineStart engineStart;
  int (*run)(const RunRequest& request);
};

// The row of a mode; null for RunMode::Unsupported.
const RunModeRow* runModeRow(RunMode mode);

// The exit code of a run whose file could not be loaded or played, whose script
// ended on an error, or whose capture failed.
constexpr int kRunFailed = 1;

// Starts the engine as the mode's row says, runs its loop and shuts the engine
// down after loops that leave that to the caller. -1 when the engine could not
// be started, kRunFailed when the loop failed, else 0. A capture runs
// unattended: no display dialog, and message boxes go to standard error only.
int runMode(RunMode mode, const RunRequest& request);

}  // namespace tk
