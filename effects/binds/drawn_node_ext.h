#pragma once
// The extension of the node a material context draws, for the binds that
// read it; logs "<bind>::onSetMaterial : Missing ..." when there is none.

#include "effects/binds/node_extension_view.h"

namespace tk {

struct STkMaterialContext;

// Null after logging when the context has no node or the node no extension
// (also when no lookup is given).
ITkSceneNodeExt* drawnNodeExt(const STkMaterialContext* context, const ITkNodeExtensionLookup* lookup,
                              const char* bindName);

}  // namespace tk
