#pragma once
// What the program says about itself when asked on the command line:
// "--help" (or "-h") prints the usage, "--version" the version.

#include <cstdio>
#include <string>
#include <vector>

namespace tk {

// The usage: the command line, the run modes chosen by the file and the options.
std::string usageText();
// "tesk VERSION".
std::string versionText();

// When the words ask for the usage or the version, prints it to `out` and
// returns true (the program then ends with exit code 0).
bool answerInformationRequest(const std::vector<std::string>& words, FILE* out);

}  // namespace tk
