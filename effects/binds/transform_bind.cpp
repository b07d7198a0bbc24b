#include "effects/binds/transform_bind.h"

#include "effects/binds/bind_helpers.h"

namespace tk {
namespace {

enum : int { kView, kWorld, kProjection, kWorldView, kViewProjection, kWorldViewProjection };

const STkMatrixSemantic kTransformSemantics[] = {
    {"View", kView, true},
    {"World", kWorld, true},
    {"Projection", kProjection, false},
    {"WorldView", kWorldView, true},
    {"ViewProjection", kViewProjection, false},
    {"WorldViewProjection", kWorldViewProjection, false},
};

}  // namespace

STkBindResult CTkEffectBindTransform::getBindFunction(const STkFxConstBind& constant, int privateData[2]) {
  int id = 0, variant = 0;
  if (!parseMatrixSemantic(constant.semantic, kTransformSemantics,
                           static_cast<int>(sizeof kTransformSemantics / sizeof kTransformSemantics[0]), &id, &variant))
    return STkBindResult();
  privateData[0] = id;
  privateData[1] = variant;
  return bindAnswer(upload);
}

irr::core::matrix4 CTkEffectBindTransform::matrixFor(const int privateData[2], const STkViewTransforms& transforms) {
  irr::core::matrix4 matrix;
  switch (privateData[0]) {
    case kView: matrix = transforms.view; break;
    case kWorld: matrix = transforms.world; break;
    case kProjection: matrix = transforms.projection; break;
    case kWorldView: matrix = firstThen(transforms.world, transforms.view); break;
    case kViewProjection: matrix = firstThen(transforms.view, transforms.projection); break;
    default: matrix = firstThen(transforms.world, transforms.view, transforms.projection); break;
  }
  return matrixVariant(matrix, privateData[1]);
}

void CTkEffectBindTransform::upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                    const STkFxConstBind& constant, const int privateData[2]) {
  auto* self = static_cast<CTkEffectBindTransform*>(bind);
  if (!self->environment_.device) return;
  irr::video::IVideoDriver* driver = self->environment_.device->getVideoDriver();
  STkViewTransforms transforms;
  transforms.world = driver->getTransform(irr::video::ETS_WORLD);
  transforms.view = driver->getTransform(irr::video::ETS_VIEW);
  transforms.projection = driver->getTransform(irr::video::ETS_PROJECTION);
  const irr::core::matrix4 matrix = matrixFor(privateData, transforms);
  uploadMatrix(services, constant, matrix.pointer());
}

}  // namespace tk
