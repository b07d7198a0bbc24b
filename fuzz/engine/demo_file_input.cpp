// Demo files from arbitrary bytes: the description reader with the start-time
// rules, and the whole load of a demo on the null driver followed by a short
// capture-clock playback.
#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>

#include "base/files/file_layer.h"
#include "base/files/ini_file.h"
#include "demo/demo_description.h"
#include "demo/demo_loader.h"
#include "demo/demo_player.h"
#include "fuzz/engine/fuzz_inputs.h"
#include "startup/sys_setup.h"

namespace tk::fuzz {
namespace {

std::string text(const uint8_t* data, size_t size) { return std::string(reinterpret_cast<const char*>(data), size); }

// What a part's scene says about its music, made up from the part itself so
// that every start-time rule can be reached without loading scenes.
std::string madeUpSceneMusic(const DemoPart& part) {
  if (part.fileName.empty()) return "";
  const size_t dot = part.fileName.rfind('.');
  return part.fileName.substr(0, dot) + ".mp3";
}
int madeUpMusicOffset(const DemoPart& part) { return part.reuseObjects; }

// A folder with two small scenes (a camera, a light, an object whose mesh
// exists and one whose mesh does not; the second also names a music, which
// does not exist), a mesh and a shader, which the seeds' demo files name.
// Made once per process.
const std::string& demoFolder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/tesk-fuzz-demo-XXXXXX";
    std::string path = mkdtemp(pattern) ? pattern : "/tmp";
    std::ofstream(path + "/box.obj") << "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    const std::string items = "{ Cameras\n{ C\n}\n}\n{ Lights\n{ L\ntype I4 1\n}\n}\n"
                              "{ Objects\n{ O\nname STR box\ntfilename STR box.obj\n}\n"
                              "{ O\nname STR gone\ntfilename STR gone.obj\n}\n}\n}\n";
    const std::string timing = "frameStart I4 0\nframeEnd I4 30\nframesPerSecond FP 30\n";
    std::ofstream(path + "/scene.tscn") << "{ Scene\n{ SceneInfo\n" + timing + "}\n" + items;
    std::ofstream(path + "/music.tscn") << "{ Scene\n{ SceneInfo\n" + timing + "loadAudio STR scene.mp3\n}\n" + items;
    std::ofstream(path + "/Grade.hlsl") << "// [TESK_BEGIN]\n// float4 Tint : 1, 1, 1, 1 : pixel\n// [TESK_END]\n"
                                           "float4 Tint;\nfloat4 ps_main() : COLOR { return Tint; }\n";
    return path;
  }();
  return folder;
}

bool startEngine() {
  prepareProcess();
  SysSetup setup;
  setup.width = 64;
  setup.height = 64;
  return tkSysSetup(setup) == 0;
}

// The capture clock at every time the demo names (and just before), in order,
// at most 64 steps: each switch, window edge and the end mark.
void playBriefly(DemoDescription& demo) {
  std::vector<int> times = {0};
  for (const DemoPart& part : demo.parts) {
    times.push_back(part.time);
    for (const DemoExtra& extra : part.extras) times.push_back(extra.time);
    for (const DemoShader& shader : part.shaders) times.push_back(shader.time);
    for (const DemoFader& fader : part.faders) times.push_back(fader.time);
  }
  std::sort(times.begin(), times.end());
  times.erase(std::unique(times.begin(), times.end()), times.end());
  if (times.size() > 64) times.resize(64);
  DemoPlayback playback(demo, true);
  for (int t : times) {
    if (playback.clock().ended || !playback.step(t)) break;
  }
}

}  // namespace

int demoDescription(const uint8_t* data, size_t size) {
  prepareProcess();
  std::unique_ptr<IniFile> ini = IniFile::fromText(text(data, size));
  if (!ini) return 0;
  DemoDescription demo;
  if (readDemoDescription(*ini, &demo)) computeStartTimes(&demo, madeUpSceneMusic, madeUpMusicOffset);
  return 0;
}

int demoLoad(const uint8_t* data, size_t size) {
  const std::string path = demoFolder() + "/fuzz.demo.ini";
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
  if (!startEngine()) return 0;
  DemoDescription demo;
  DemoIdCounters counters;
  if (tkDemoLoad(&demo, path.c_str(), &counters) == 0) {
    playBriefly(demo);
    unloadDemo(&demo);
  }
  tkSysShutdown();
  return 0;
}

}  // namespace tk::fuzz
