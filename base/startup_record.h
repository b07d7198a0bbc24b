#pragma once
// What the process knows about itself from its first moment: the program file,
// its directory and the command-line words.

#include <string>
#include <vector>

namespace tk {

struct StartupRecord {
  std::string programPath;       // absolute, at most 260 characters
  std::string programDirectory;  // ends in a separator
  std::vector<std::string> words;
};

// Fills the start-up record and, when "-console" is among the options,
// reattaches the standard streams to the controlling terminal.
void tkSysInit(int argc, char** argv);
const StartupRecord& startupRecord();

// True when the program runs from a packed archive (changes cache and hot-reload behaviour).
void setRunningPacked(bool packed);
bool runningPacked();

}  // namespace tk
