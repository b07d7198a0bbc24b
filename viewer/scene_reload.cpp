#include "viewer/scene_reload.h"

#include <string>

#include "base/log.h"
#include "scene/scene_desc.h"
#include "scene/scene_slots.h"

namespace tk {

bool reloadScene(int sceneId, const char* path) {
  STkSceneSlot* slot = sceneSlotOrReport(sceneId);
  if (!slot) return false;
  std::string error;
  if (!readSceneFile(path, &error)) {
    if (!error.empty()) log(LOG_ERROR, "Failed to load scene file '%s', error: %s", path, error.c_str());
    return false;
  }
  SceneBases bases = sceneBasesOf(*slot);
  std::string name = slot->name;
  bool attached = slot->attached != 0;
  DeleteScene(sceneId);
  return loadScene(path, sceneId, bases, false, name.c_str(), attached) == 0;
}

}  // namespace tk
