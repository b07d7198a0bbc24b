#include "api/object_surfaces.h"

#include "api/engine_items.h"
#include "base/files/file_layer.h"
#include "render/tk_manager.h"

namespace tk {

CTkSceneNodeExt* giveNodeSurfaces(irr::scene::ISceneNode* node) {
  CTkManager* manager = tkEngine().manager;
  if (!manager || !node) return nullptr;
  CTkSceneNodeExt* extension = manager->getSceneManager()->getNodeExt(node);
  for (int i = 0; i < extension->getRecordCount(); ++i) {
    ITkSurface* surface = manager->getSurfaceManager()->createSurface(kTkSurfaceLightwave);
    STkMaterial material;
    material.base = node->getMaterial(static_cast<irr::u32>(i));
    surface->initFromMaterial(material);
    extension->setSurface(i, surface);
    surface->drop();
  }
  extension->update();
  return extension;
}

CTkSceneNodeExt* objectNodeExt(const CTkObjectItem& item) { return findSceneNodeExt(item.node); }

irr::video::ITexture* loadSurfaceTexture(const char* file, bool mipMaps) {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  if (!driver || !file || !*file) return nullptr;
  const std::string path = fileLayer().absolutePath(resolveFile(file).c_str());
  const bool saved = driver->getTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS);
  driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, mipMaps);
  irr::video::ITexture* texture = driver->getTexture(path.c_str());
  driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, saved);
  return texture;
}

}  // namespace tk
