#pragma once
// The one-shot tools of the command line and the start of a packed program.

#include <string>
#include <vector>

namespace tk {

// Runs the packing tool or the packed start the words ask for. True when one
// ran (its exit code in `exitCode`); false for an ordinary interactive start.
bool runToolOrPackedStart(const std::string& programPath, const std::vector<std::string>& words, int* exitCode);

}  // namespace tk
