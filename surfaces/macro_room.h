#pragma once
// Surfaces hand their macros to callers that keep them in a fixed room: the
// macros plus an end entry must fit in the room the caller gives.

#include <vector>

#include "effects/shader_macro.h"

namespace tk {

// Appends the names (each with an empty value) to `macros` and sets
// `capacity` to their number. False, changing nothing, when the names and
// the end entry need more than `capacity` entries.
bool fitMacros(const std::vector<const char*>& names, ShaderMacroList* macros, int* capacity);

}  // namespace tk
