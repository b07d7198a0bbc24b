#include "effects/binds/object_bind.h"

#include "base/log.h"
#include "effects/binds/bind_helpers.h"

namespace tk {
namespace {

enum : int { kObjectPosition, kObjectRotation, kObjectScale, kObjectTransform, kObjectInverseTransform };

const char* const kObjectPrefixes[] = {"ObjectPos", "ObjectRot", "ObjectScale", "ObjectTrans", "ObjectInvTrans"};

bool isObject(const irr::scene::ISceneNode* node) {
  const irr::u32 type = static_cast<irr::u32>(node->getType());
  return type == MAKE_IRR_ID('m', 'e', 's', 'h') || type == MAKE_IRR_ID('a', 'm', 's', 'h') ||
         type == MAKE_IRR_ID('m', 'd', 'd', 'm') || type == MAKE_IRR_ID('m', 'o', 'r', 'p');
}

}  // namespace

STkBindResult CTkEffectBindObject::getBindFunction(const STkFxConstBind& constant, int privateData[2]) {
  for (int value = kObjectPosition; value <= kObjectInverseTransform; ++value) {
    int index = 0;
    if (!parseIndexedSemantic(constant.semantic, kObjectPrefixes[value], &index)) continue;
    privateData[0] = index;
    privateData[1] = value;
    return bindAnswer(upload);
  }
  return STkBindResult();
}

irr::scene::ISceneNode* CTkEffectBindObject::objectAt(int index) const {
  if (!environment_.device) return nullptr;
  int seen = 0;
  for (irr::scene::ISceneNode* child : environment_.device->getSceneManager()->getRootSceneNode()->getChildren()) {
    if (!isObject(child)) continue;
    if (seen++ == index) return child;
  }
  return nullptr;
}

void CTkEffectBindObject::upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                 const STkFxConstBind& constant, const int privateData[2]) {
  irr::scene::ISceneNode* object = static_cast<CTkEffectBindObject*>(bind)->objectAt(privateData[0]);
  if (!object) {
    log(LOG_ERROR, "CTkEffectBindObject : Object index %d not found ", privateData[0]);
    return;
  }
  switch (privateData[1]) {
    case kObjectPosition: uploadPoint(services, constant, object->getAbsolutePosition(), 1); break;
    case kObjectRotation: uploadPoint(services, constant, object->getRotation(), 0); break;
    case kObjectScale: uploadVector3(services, constant, object->getScale()); break;
    case kObjectTransform: uploadMatrix(services, constant, object->getAbsoluteTransformation().pointer()); break;
    default: {
      const irr::core::matrix4 inverse = inverseOrSelf(object->getAbsoluteTransformation());
      uploadMatrix(services, constant, inverse.pointer());
      break;
    }
  }
}

}  // namespace tk
