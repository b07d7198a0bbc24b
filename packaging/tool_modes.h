#pragma once
// The one-shot packing tools of the command line.

#include <string>
#include <vector>

namespace tk {

// Runs the packing tool the words ask for: "-demoexe", "-demodat", "-direxe",
// "-dirdat", "-dirlistexe", "-exersc", and "-extract" in a program that carries
// a packed archive. True when one ran (its exit code in `exitCode`).
bool runPackingTool(const std::string& programPath, const std::vector<std::string>& words, int* exitCode);

}  // namespace tk
