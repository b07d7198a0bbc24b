#pragma once
// What a node extension needs from the reflection cube map it is given: the
// probe's cube texture (which may change as the probe is re-rendered) and the
// place it sees the scene from. The cube maps of the engine implement it.

#include <irrlicht.h>

namespace tk {

class CTkEngineTexture;

class ITkCubeMapProbe : public virtual irr::IReferenceCounted {
 public:
  // The cube texture shown now; may be null before the first render.
  virtual CTkEngineTexture* getCubeTexture() const = 0;
  virtual irr::core::vector3df getProbePosition() const = 0;
};

}  // namespace tk
