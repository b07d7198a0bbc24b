#include "effects/binds/node_ext_bind.h"

#include "effects/binds/bind_helpers.h"
#include "effects/binds/drawn_node_ext.h"

namespace tk {
namespace {

enum : int { kCubeMapPosition, kCubeMapBoxPosition, kCubeMapBoxScale };

}  // namespace

bool CTkEffectBindNodeExt::onSetMaterial(const STkMaterialContext* context) {
  extension_ = drawnNodeExt(context, environment_.nodeExtensions, "CTkEffectBindNodeExt");
  return extension_ != nullptr;
}

STkBindResult CTkEffectBindNodeExt::getBindFunction(const STkFxConstBind& constant, int privateData[2]) {
  if (constant.semantic == "CubeMapPosition")
    privateData[0] = kCubeMapPosition;
  else if (constant.semantic == "CubeMapAABBPosition")
    privateData[0] = kCubeMapBoxPosition;
  else if (constant.semantic == "CubeMapAABBScale")
    privateData[0] = kCubeMapBoxScale;
  else
    return STkBindResult();
  return bindAnswer(upload);
}

// A node without a cube map gets the origin as its cube map's position.
void CTkEffectBindNodeExt::upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                  const STkFxConstBind& constant, const int privateData[2]) {
  const ITkSceneNodeExt* extension = static_cast<CTkEffectBindNodeExt*>(bind)->extension_;
  if (!extension) return;
  irr::core::vector3df value;
  switch (privateData[0]) {
    case kCubeMapPosition:
      if (!extension->getCubeMapPosition(&value)) value.set(0, 0, 0);
      break;
    case kCubeMapBoxPosition: value = extension->getCubeMapBoxPosition(); break;
    default: value = extension->getCubeMapBoxScale(); break;
  }
  uploadVector3(services, constant, value);
}

}  // namespace tk
