#include "api/effect_draws.h"

#include "api/effect_commands.h"
#include "effects/runtime/effect.h"
#include "effects/runtime/effect_material.h"

namespace tk {
namespace {

void setFloats(CTkEffect* effect, const char* name, const float* values, int count) {
  const int index = effect->getParameterIndex(name);
  if (index >= 0) effect->setFloatArray(index, values, count);
}

}  // namespace

void effectQuadVertices(bool imageIsRenderTarget, irr::video::S3DVertex2TCoords out[4]) {
  const irr::video::SColor white(255, 255, 255, 255);
  const float clipX[4] = {-1, 1, -1, 1};
  const float clipY[4] = {1, 1, -1, -1};
  for (int i = 0; i < 4; ++i) {
    const float u = (clipX[i] + 1) / 2;
    const float v = (1 - clipY[i]) / 2;
    out[i] = irr::video::S3DVertex2TCoords(clipX[i], clipY[i], 0, white, u, v, u, imageIsRenderTarget ? 1 - v : v);
  }
}

CTkEffect* CTkEffectDraws::effect(int id) { return getEffect(id); }

void CTkEffectDraws::draw(CTkEffect* effect, irr::video::ITexture* image, const irr::core::recti& rectangle,
                          irr::video::SColor colour) {
  if (image) {
    const int index = effect->getParameterIndex("Image");
    if (index >= 0) effect->setSamplerTexture(index, image);
  }
  const float place[4] = {static_cast<float>(rectangle.UpperLeftCorner.X),
                          static_cast<float>(rectangle.UpperLeftCorner.Y),
                          static_cast<float>(rectangle.LowerRightCorner.X - rectangle.UpperLeftCorner.X),
                          static_cast<float>(rectangle.LowerRightCorner.Y - rectangle.UpperLeftCorner.Y)};
  setFloats(effect, "Rectangle", place, 4);
  const float rgba[4] = {colour.getRed() / 255.0f, colour.getGreen() / 255.0f, colour.getBlue() / 255.0f,
                         colour.getAlpha() / 255.0f};
  setFloats(effect, "Color", rgba, 4);

  STkMaterial material;
  if (!effect->applyPass(0, 0, &material, true)) return;
  STkMaterialContext context;
  context.effect = effect;
  context.material = &material;
  TkMaterialContextSlot slot(contexts_, &context);
  material.base.MaterialTypeParam2 = slot.typeParameter();
  material.base.BackfaceCulling = false;
  material.base.Lighting = false;

  irr::video::S3DVertex2TCoords vertices[4];
  effectQuadVertices(image && image->isRenderTarget(), vertices);
  const irr::u16 indices[6] = {0, 1, 2, 2, 1, 3};
  const irr::core::matrix4 world = driver_->getTransform(irr::video::ETS_WORLD);
  const irr::core::matrix4 view = driver_->getTransform(irr::video::ETS_VIEW);
  const irr::core::matrix4 projection = driver_->getTransform(irr::video::ETS_PROJECTION);
  driver_->setTransform(irr::video::ETS_WORLD, irr::core::IdentityMatrix);
  driver_->setTransform(irr::video::ETS_VIEW, irr::core::IdentityMatrix);
  driver_->setTransform(irr::video::ETS_PROJECTION, irr::core::IdentityMatrix);
  driver_->setMaterial(material.base);
  driver_->drawVertexPrimitiveList(vertices, 4, indices, 2, irr::video::EVT_2TCOORDS, irr::scene::EPT_TRIANGLES,
                                   irr::video::EIT_16BIT);
  driver_->setTransform(irr::video::ETS_WORLD, world);
  driver_->setTransform(irr::video::ETS_VIEW, view);
  driver_->setTransform(irr::video::ETS_PROJECTION, projection);
}

}  // namespace tk
