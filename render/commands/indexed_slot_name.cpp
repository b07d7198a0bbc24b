#include "render/commands/indexed_slot_name.h"

#include <cstring>

namespace tk {

bool parseIndexedSlotName(const std::string& name, const char* prefix, int limit, int* index) {
  const size_t prefixLength = std::strlen(prefix);
  if (name.compare(0, prefixLength, prefix) != 0 || name.size() == prefixLength) return false;
  int value = 0;
  for (size_t i = prefixLength; i < name.size(); ++i) {
    const char c = name[i];
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
    if (value >= limit) return false;
  }
  *index = value;
  return true;
}

}  // namespace tk
