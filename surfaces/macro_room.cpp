#include "surfaces/macro_room.h"

namespace tk {

bool fitMacros(const std::vector<const char*>& names, ShaderMacroList* macros, int* capacity) {
  const int count = static_cast<int>(names.size());
  if (count + 1 > *capacity) return false;
  for (const char* name : names) macros->push_back({name, ""});
  *capacity = count;
  return true;
}

}  // namespace tk
