#pragma once
// Reading numbers from a parameter's value text ("1  0.5  0.5  1  "). Blanks,
// tabs, carriage returns and line feeds before each number are skipped.

#include <string>

namespace tk {

// Fills `count` values; missing or unreadable numbers read as 0 and make the
// read answer false.
bool readFloatValues(const std::string& text, float* values, int count);
bool readIntValues(const std::string& text, int* values, int count);

}  // namespace tk
