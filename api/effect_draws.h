#pragma once
// Boxes and images drawn through an effect: one full-screen quad, made on
// first use and kept, drawn with technique 0, pass 0 of the effect. The
// effect learns where to draw from its "Rectangle" parameter (x, y, width,
// height in pixels), its colour from "Color" and, for an image, the texture
// from "Image". The quad's first texture coordinate is its corner (0 to 1,
// y down); the second is where the image is read the right way up, turned
// over for a render target, which the driver stores bottom row first.

#include "api/draw_queue.h"

namespace tk {

class CTkMaterialContexts;

class CTkEffectDraws : public ITkEffectDraws {
 public:
  CTkEffectDraws(irr::video::IVideoDriver* driver, CTkMaterialContexts* contexts)
      : driver_(driver), contexts_(contexts) {}

  CTkEffect* effect(int id) override;
  void draw(CTkEffect* effect, irr::video::ITexture* image, const irr::core::recti& rectangle,
            irr::video::SColor colour) override;

 private:
  irr::video::IVideoDriver* driver_;
  CTkMaterialContexts* contexts_;
};

// The quad's corners with both texture coordinates, in strip order.
void effectQuadVertices(bool imageIsRenderTarget, irr::video::S3DVertex2TCoords out[4]);

}  // namespace tk
