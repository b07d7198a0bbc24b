#pragma once
// Technique names mapped to small numbers that pick a technique per render path.
// "depth" is always 0 and "shadow" always 1; other names number from 2 in order
// of first registration.

#include <irrlicht.h>

#include <map>
#include <string>

namespace tk {

class CTkEffectTechLookup : public irr::IReferenceCounted {
 public:
  CTkEffectTechLookup();
  // The number of a known name; -1 for an unknown, empty or absent name.
  int findTechnique(const char* name) const;
  // The existing number, else a new one.
  int registerTechnique(const char* name);

 private:
  std::map<std::string, int> numbers_;  // kept sorted by name
  int next_ = 2;
};

}  // namespace tk
