#pragma once
// The display library has no depth comparison "never": its code for it
// switches the depth test off, and the engine's code 8 leaves whatever depth
// state the previous draw had. The engine's shader materials set GL_NEVER
// themselves; a material of any other type with code 8 is drawn through a
// variant of its material renderer that sets GL_NEVER after the library's
// own states. The variants are registered with the driver as they are needed.

#include <irrlicht.h>

#include <map>

namespace tk {

class CTkDepthNeverMaterials {
 public:
  explicit CTkDepthNeverMaterials(irr::video::IVideoDriver* driver) : driver_(driver) {}

  // The type a material of type `type` with depth comparison "never" is drawn
  // with: the type itself when its renderer applies "never" already.
  int variantOf(int type);

 private:
  irr::video::IVideoDriver* driver_;
  std::map<int, int> variants_;  // type -> its variant's type
};

}  // namespace tk
