#pragma once
// A packed archive: finding it (inside the program or beside it), mounting it
// and extracting it; the program's packed start mode plays what it holds.

#include <string>

namespace tk {

// True when the program carries resource 500 or has a side file that opens.
bool packedArchivePresent(const std::string& programPath);
// Mounts the archive (in memory from the program, else the side file). False
// after logging; the program then starts as if nothing was packed.
bool mountPackedArchive(const std::string& programPath);
// "-extract": writes the scene sources of the packed archive below the current
// folder. 0, or -1 after logging.
int extractPackedScene(const std::string& programPath);

}  // namespace tk
