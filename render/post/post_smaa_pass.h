#pragma once
// What the engine's anti-aliasing asks of SMAA: CTkPostSMAA answers it, and
// tests stand in for it.

#include <irrlicht.h>

namespace tk {

class ITkPostSMAAPass {
 public:
  virtual ~ITkPostSMAAPass() = default;
  // True once its effects and tables are loaded.
  virtual bool ready() const = 0;
  // Edges of `source` into `target`, blend weights into `work`, then the
  // blended picture into the screen (`toScreen`) or back into `target`. With
  // `colorSpace` the source is gamma-encoded into `work` first and edges are
  // found on that. Does nothing when not ready.
  virtual void render(irr::video::ITexture* target, irr::video::ITexture* source, irr::video::ITexture* work,
                      bool toScreen, bool colorSpace) = 0;
};

}  // namespace tk
