#pragma once
// Writes small ZIP archives for tests.

#include <map>
#include <string>

namespace tk::test {

// Members by name; returns the archive's bytes (deflated, or stored as they
// are, so that a test can find and damage a member's bytes).
std::string makeZip(const std::map<std::string, std::string>& members, bool stored = false);

}  // namespace tk::test
