#pragma once
// Slot names that carry a unit number: "s0" .. "s19", "Color0" .. "Color4".

#include <string>

namespace tk {

// True when `name` is `prefix` followed by decimal digits only, naming a
// number below `limit`; the number goes to `index`. A sign, a blank or any
// trailing text makes the name invalid.
bool parseIndexedSlotName(const std::string& name, const char* prefix, int limit, int* index);

}  // namespace tk
