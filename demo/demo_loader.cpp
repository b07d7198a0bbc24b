#include "demo/demo_loader.h"

#include <strings.h>

#include <algorithm>

#include "base/files/file_layer.h"
#include "base/files/ini_file.h"
#include "base/files/open_failure.h"
#include "base/log.h"
#include "demo/demo_camera_effects.h"
#include "music/music.h"
#include "platform/input/event_receiver.h"
#include "render/engine.h"
#include "render/loading/loading_screen.h"
#include "scene/scene_slots.h"

namespace tk {
namespace {

struct ProgressContext {
  int partIndex = 0;
  int partCount = 1;
};

// The loading progress over all parts; asks to stop when the window closed or
// Escape was pressed.
int demoLoadProgress(int percent, void* user) {
  auto* context = static_cast<ProgressContext*>(user);
  int overall = (percent * 10 + context->partIndex * 1000) * 100 / (context->partCount * 1000);
  showLoadingProgress(static_cast<float>(overall));
  irr::IrrlichtDevice* device = tkEngine().device;
  bool running = device && device->run();
  return (!running || inputState().escapeEverPressed()) ? 1 : 0;
}

std::string joinFolder(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  char last = folder.back();
  return (last == '/' || last == '\\') ? folder + name : folder + "/" + name;
}

// Loads one scene under the counters' IDs and advances them. 0, 1 (cancelled) or -1.
int loadDemoScene(const std::string& folder, const std::string& file, const std::string& directory, int reuse,
                  bool attached, DemoIdCounters* counters, DemoSceneIds* ids) {
  fileLayer().setDirectory(folder.c_str());
  SceneBases bases;
  bases.object = counters->object;
  bases.light = counters->light;
  bases.emitter = counters->emitter;
  bases.cubeMap = counters->cubeMap;
  bases.cameraShader = counters->cameraShader;
  bases.renderer = counters->renderer;
  bases.effect = counters->rendererEffect;
  int result = loadScene(file.c_str(), counters->scene, bases, reuse != 0, directory.c_str(), attached);
  if (result != 0) return result;
  int scene = counters->scene;
  *ids = DemoSceneIds{scene, bases.object, bases.light, bases.emitter, bases.cubeMap, bases.cameraShader};
  counters->object += SceneTotalObjects(scene);
  counters->light += SceneTotalLights(scene);
  counters->emitter += SceneTotalFxEmitters(scene);
  counters->cubeMap += SceneTotalCubeMaps(scene);
  counters->cameraShader += SceneTotalCameraShaders(scene);
  counters->rendererEffect += SceneTotalEffects(scene);
  if (sceneHasRenderer(scene) == 1) counters->renderer += 1;
  counters->scene += 1;
  return 0;
}

bool loadScenes(DemoDescription* demo, const std::string& demoFolder, DemoIdCounters* counters) {
  ProgressContext progress{0, static_cast<int>(demo->parts.size())};
  for (size_t i = 0; i < demo->parts.size(); ++i) {
    DemoPart& part = demo->parts[i];
    if (part.fileName.empty()) continue;
    progress.partIndex = static_cast<int>(i);
    setSceneLoadProgress(demoLoadProgress, &progress);
    int result = loadDemoScene(joinFolder(demoFolder, part.directory), part.fileName, part.directory,
                               part.reuseObjects, false, counters, &part.ids);
    setSceneLoadProgress(nullptr, nullptr);
    if (result == 1) return false;
    if (result != 0) {
      logError("Fail to load scene %s", part.fileName.c_str());
      return false;
    }
    for (size_t e = 0; e < part.extras.size(); ++e) {
      DemoExtra& extra = part.extras[e];
      if (loadDemoScene(joinFolder(demoFolder, extra.directory), extra.fileName, extra.directory,
                        extra.reuseObjects, true, counters, &extra.ids) != 0) {
        logError("Fail to load in scene %s the extra id=%d %s", part.fileName.c_str(), static_cast<int>(e),
                 extra.fileName.c_str());
        return false;
      }
    }
  }
  return true;
}

bool loadMusics(DemoDescription* demo, DemoIdCounters* counters) {
  for (DemoPart& part : demo->parts) {
    if (part.music.empty()) continue;
    std::string path = demo->musicDirectory + "/" + part.music;
    part.musicId = counters->music++;
    LoadMusic(path.c_str(), part.musicId);
    if (!MusicExist(part.musicId)) {
      part.musicId = -1;
      logError("Fail to load music %s", path.c_str());
      return false;
    }
  }
  return true;
}

// One camera effect per distinct shader file (compared without regard to case).
void loadShaders(DemoDescription* demo, DemoIdCounters* counters) {
  struct Made {
    std::string name;
    int id;
  };
  std::vector<Made> made;
  auto find = [&](const std::string& name) -> int {
    for (const Made& m : made)
      if (strcasecmp(m.name.c_str(), name.c_str()) == 0) return m.id;
    return -1;
  };
  bool failed = false;
  for (DemoPart& part : demo->parts) {
    for (DemoShader& shader : part.shaders) {
      if (failed) break;
      if (find(shader.name) >= 0) continue;
      int id = counters->cameraShader++;
      std::string file = demo->shadersDirectory + "/" + shader.name;
      if (!demoCameraEffects().make(id, file)) {
        logError("Failed to load shader %s", file.c_str());
        failed = true;
        break;
      }
      made.push_back({shader.name, id});
    }
  }
  for (DemoPart& part : demo->parts)
    for (DemoShader& shader : part.shaders) shader.cameraEffect = find(shader.name);
}

void resetRuntime(DemoDescription* demo) {
  for (DemoPart& part : demo->parts) {
    part.ids = DemoSceneIds();
    part.musicId = part.paletteId = -1;
    for (DemoExtra& extra : part.extras) {
      extra.active = false;
      extra.ids = DemoSceneIds();
    }
  }
}

}  // namespace

int tkDemoLoad(DemoDescription* demo, const char* path, DemoIdCounters* counters) {
  *demo = DemoDescription();
  if (!path) {
    logError("Fail to load %s", "(none)");
    return -1;
  }
  std::string error;
  std::unique_ptr<IniFile> ini = IniFile::load(path, &error);
  if (!ini && error.empty()) {
    logError("Fail to load %s: %s", path, fileOpenFailureReason(path).c_str());
    return -1;
  }
  if (!ini) {
    logError("Fail to parse ini: %s", error.c_str());
    return -1;
  }
  if (!readDemoDescription(*ini, demo)) return -1;
  resetRuntime(demo);
  // Every scene folder is entered from the demo's folder in turn, so it must not
  // depend on the folder current at the time (a demo at the top of a mounted
  // archive keeps the empty, archive-relative folder).
  std::string demoFolder = fileLayer().directoryPart(path);
  if (!demoFolder.empty()) demoFolder = fileLayer().absolutePath(demoFolder.c_str());
  fileLayer().setDirectory(demoFolder.c_str());
  for (DemoPart& part : demo->parts)
    if (!part.palette.empty()) part.paletteId = counters->palette++;
  beginLoadingScreen();
  // A part whose object, emitter or cube map cannot be made says which.
  setLoadFailureReporting(true);
  bool loaded = loadScenes(demo, demoFolder, counters);
  // Music and shader paths are relative to the demo's folder, not the last scene's.
  fileLayer().setDirectory(demoFolder.c_str());
  loaded = loaded && computeStartTimes(
                         demo, [](const DemoPart& p) { return p.hasScene() ? sceneMusicFile(p.ids.scene) : ""; },
                         [](const DemoPart& p) { return p.hasScene() ? sceneMusicOffset(p.ids.scene) : 0; });
  loaded = loaded && loadMusics(demo, counters);
  if (!loaded) {
    endLoadingScreen();
    unloadDemo(demo);
    return -1;
  }
  loadShaders(demo, counters);
  endLoadingScreen();
  return 0;
}

void unloadDemo(DemoDescription* demo) {
  for (DemoPart& part : demo->parts)
    if (part.musicId >= 0) DeleteMusic(part.musicId);
  for (DemoPart& part : demo->parts) {
    if (part.hasScene()) DeleteScene(part.ids.scene);
    for (DemoExtra& extra : part.extras)
      if (extra.ids.scene >= 0) DeleteScene(extra.ids.scene);
  }
  std::vector<int> removed;  // parts naming the same file share one camera effect
  for (DemoPart& part : demo->parts)
    for (DemoShader& shader : part.shaders) {
      int id = shader.cameraEffect;
      if (id >= 0 && std::find(removed.begin(), removed.end(), id) == removed.end()) {
        demoCameraEffects().remove(id);
        removed.push_back(id);
      }
      shader.cameraEffect = -1;
    }
  resetRuntime(demo);
}

}  // namespace tk
