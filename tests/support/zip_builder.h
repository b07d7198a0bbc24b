#pragma once
// Writes small ZIP archives for tests.

#include <map>
#include <string>

namespace tk::test {

// Members by name; returns the archive's bytes (deflated).
std::string makeZip(const std::map<std::string, std::string>& members);

}  // namespace tk::test
