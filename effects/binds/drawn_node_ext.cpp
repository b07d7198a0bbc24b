#include "effects/binds/drawn_node_ext.h"

#include "base/log.h"
#include "effects/runtime/effect_material.h"

namespace tk {

ITkSceneNodeExt* drawnNodeExt(const STkMaterialContext* context, const ITkNodeExtensionLookup* lookup,
                              const char* bindName) {
  if (!context || !context->node) {
    log(LOG_ERROR, "%s::onSetMaterial : Missing matExt->Node", bindName);
    return nullptr;
  }
  ITkSceneNodeExt* extension = lookup ? lookup->findNodeExt(context->node) : nullptr;
  if (!extension) log(LOG_ERROR, "%s::onSetMaterial : Missing ITkSceneNodeExt", bindName);
  return extension;
}

}  // namespace tk
