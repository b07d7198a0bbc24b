#pragma once
// Loading a demo: every part's scene and extras, its musics and its shaders,
// under IDs handed out by counters, and every part's start time.

#include <functional>
#include <string>

#include "demo/demo_description.h"

namespace tk {

struct DemoIdCounters {
  int scene = 0, object = 1, light = 0, emitter = 0, cubeMap = 0, cameraShader = 0, renderer = 0;
  int rendererEffect = 0, palette = 1, music = 1;
};

// Parses and loads the demo file; 0, or -1 after logging (whatever was loaded
// is unloaded again).
int tkDemoLoad(DemoDescription* demo, const char* path, DemoIdCounters* counters);
// Releases the musics, scenes and camera effects of a loaded demo.
void unloadDemo(DemoDescription* demo);

// Gives every part its start time; false after logging the timing error.
// `sceneMusic(part)` is the music file that a part's loaded scene names and
// `musicOffset(part)` its offset in ms.
bool computeStartTimes(DemoDescription* demo, const std::function<std::string(const DemoPart&)>& sceneMusic,
                       const std::function<int(const DemoPart&)>& musicOffset);

}  // namespace tk
