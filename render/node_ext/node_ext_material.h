#pragma once
// The records a node extension keeps, one per material of its node. A record
// is the material context of that material: the node's material carries the
// record's context number (never a pointer), so the constant feed and the
// binds find the effect, technique, pass, node and material index through it.

#include <irrlicht.h>

#include <vector>

#include "effects/runtime/effect_material.h"

namespace tk {

class CTkEffect;
class ITkSurface;

// The textures a surface puts on the samplers of one pass of its effect.
struct STkNodeExtSavedMatPass {
  STkMaterial material;  // only the texture layers are meaningful
};

struct STkNodeExtSavedMatTechnique {
  std::vector<STkNodeExtSavedMatPass> passes;
};

// The context's effect (a counted reference), technique and pass are the
// ones drawing this material; `material` points at `layers`, the 8 pixel and
// 4 vertex layers bound while it is drawn.
struct STkNodeExtMaterial : STkMaterialContext {
  ITkSurface* surface = nullptr;  // a counted reference, or none
  std::vector<STkNodeExtSavedMatTechnique> saved;  // per technique, per pass of the effect
  STkMaterial layers;
  int contextNumber = 0;  // 0 while the record is not registered
};

// One record's effect choice, as saveEffects hands it out.
struct STkNodeExtSavedEffect {
  CTkEffect* effect = nullptr;  // not counted: valid while the record keeps it
  int technique = 0;
  int pass = 0;
};

}  // namespace tk
