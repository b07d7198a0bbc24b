// The engine's frame against the display library drawing the same scene alone,
// in one run: a grid of N copies of one mesh (N = 1 and 400) in a 640 x 360
// window, 300 frames drawn
// - by the display library's own loop on a device of its own (device->run,
//   beginScene with clear, drawAll, endScene), and
// - through the engine commands a script calls (the engine started as Setup
//   starts it but without vertical sync, as the library's device is; LoadObject
//   and CloneObject, PositionObject and RotateObject, then Run and Sync per
//   frame), once per engine route (renderer) in the table below.
// The mesh is a small cube written by the benchmark, so that what each object
// costs beside its triangles shows. The two ways take turns three times and the
// best of each counts; the counter engine_per_library is the ratio of the
// engine's time per frame to the library's (the aim: at most 1.10 with 400
// objects, 1.25 with one), engine_per_library_cpu the same for the processor
// time of the whole process (all its threads, the rasteriser's too).
// TESK_FRAME_COST_ROUNDS=N takes the best of N rounds (for a busy machine).
// This one draws for real: it needs an X display (xvfb-run on llvmpipe).
#include <benchmark/benchmark.h>
#include <irrlicht.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "api/camera_commands.h"
#include "api/light_commands.h"
#include "api/object_commands.h"
#include "api/renderer_commands.h"
#include "base/log.h"
#include "startup/engine_commands.h"
#include "startup/sys_setup.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 360;
constexpr int kFrames = 300;
constexpr int kWarmUpFrames = 10;

// A cube of side 16 with a normal per face, as an OBJ file of its own.
struct CubeFile {
  std::string path;
  CubeFile() {
    char pattern[] = "/tmp/tesk-frame-cost-XXXXXX.obj";
    const int fd = mkstemps(pattern, 4);
    if (fd < 0) std::abort();
    path = pattern;
    FILE* file = fdopen(fd, "w");
    fputs("v -8 -8 -8\nv 8 -8 -8\nv 8 8 -8\nv -8 8 -8\nv -8 -8 8\nv 8 -8 8\nv 8 8 8\nv -8 8 8\n"
          "vn 0 0 -1\nvn 0 0 1\nvn -1 0 0\nvn 1 0 0\nvn 0 -1 0\nvn 0 1 0\n"
          "f 1//1 3//1 2//1\nf 1//1 4//1 3//1\nf 5//2 6//2 7//2\nf 5//2 7//2 8//2\n"
          "f 1//3 5//3 8//3\nf 1//3 8//3 4//3\nf 2//4 3//4 7//4\nf 2//4 7//4 6//4\n"
          "f 1//5 2//5 6//5\nf 1//5 6//5 5//5\nf 4//6 8//6 7//6\nf 4//6 7//6 3//6\n",
          file);
    fclose(file);
  }
  ~CubeFile() { remove(path.c_str()); }
};

const char* meshFile() {
  static CubeFile cube;
  return cube.path.c_str();
}

// The scene both ways draw: copies on a square grid, turned to show three
// faces to a camera that sees the whole grid of 400, one white directional light, a dim ambient light.
constexpr int kGridSide = 20;
constexpr float kSpacing = 32.0f;
constexpr float kCameraDistance = 460.0f;
constexpr unsigned kBackdrop = 0x001122;
constexpr unsigned kAmbient = 0x050505;

irr::core::vector3df gridPosition(int index) {
  const float half = (kGridSide - 1) * kSpacing / 2;
  return {(index % kGridSide) * kSpacing - half, (index / kGridSide) * kSpacing - half, 0.0f};
}
const irr::core::vector3df kTurned(30, 40, 0);

using Clock = std::chrono::steady_clock;

int rounds() {
  const char* value = getenv("TESK_FRAME_COST_ROUNDS");
  const int asked = value && *value ? atoi(value) : 0;
  return asked > 0 ? asked : 3;
}

// Seconds per frame, elapsed and of processor time; negative when not measured.
struct FrameTime {
  double wall = -1, cpu = -1;
};

double processCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

// Over kFrames frames after a short warm-up; `frame` answers false when the
// window went away.
FrameTime timeFrames(const std::function<bool()>& frame) {
  for (int i = 0; i < kWarmUpFrames; ++i)
    if (!frame()) return {};
  const Clock::time_point start = Clock::now();
  const double cpuStart = processCpuSeconds();
  for (int i = 0; i < kFrames; ++i)
    if (!frame()) return {};
  const double cpu = processCpuSeconds() - cpuStart;
  return {std::chrono::duration<double>(Clock::now() - start).count() / kFrames, cpu / kFrames};
}

// (a) The display library alone.
FrameTime libraryFrameTime(int objects) {
  irr::SIrrlichtCreationParameters p;
  p.DriverType = irr::video::EDT_OPENGL;
  p.WindowSize = irr::core::dimension2du(kWidth, kHeight);
  p.Bits = 32;
  p.Stencilbuffer = true;
  p.Vsync = false;
  p.Doublebuffer = true;
  p.UsePerformanceTimer = true;
  p.LoggingLevel = irr::ELL_NONE;
  irr::IrrlichtDevice* device = irr::createDeviceEx(p);
  if (!device) return {};
  irr::video::IVideoDriver* driver = device->getVideoDriver();
  irr::scene::ISceneManager* scene = device->getSceneManager();
  irr::scene::IAnimatedMesh* mesh = scene->getMesh(meshFile());
  for (int i = 0; mesh && i < objects; ++i) {
    irr::scene::ISceneNode* node = scene->addMeshSceneNode(mesh->getMesh(0));
    node->setMaterialFlag(irr::video::EMF_NORMALIZE_NORMALS, true);
    node->setPosition(gridPosition(i));
    node->setRotation(kTurned);
  }
  irr::scene::ICameraSceneNode* camera =
      scene->addCameraSceneNode(nullptr, {0, 0, -kCameraDistance}, {0, 0, 0});
  camera->setNearValue(0.1f);
  camera->setFarValue(1000.0f);
  irr::scene::ILightSceneNode* light = scene->addLightSceneNode(nullptr, {0, 0, 0}, irr::video::SColorf(1, 1, 1, 1), 1e7f);
  light->setLightType(irr::video::ELT_DIRECTIONAL);
  scene->setAmbientLight(irr::video::SColor(0xFF000000 | kAmbient));
  const irr::video::SColor backdrop(0xFF000000 | kBackdrop);
  const FrameTime seconds = mesh ? timeFrames([&] {
    if (!device->run()) return false;
    driver->beginScene(true, true, backdrop);
    scene->drawAll();
    driver->endScene();
    return true;
  }) : FrameTime();
  device->closeDevice();
  device->run();
  device->drop();
  return seconds;
}

// The renderers the engine's frame is measured through. A new renderer joins
// with one line in kRoutes: its name, whether it needs the light pre-pass
// set-up, and the function that makes it the current one.
struct EngineRoute {
  const char* name;
  bool lightPrePass;
  bool (*use)();
};

// (b) The engine, through the commands a script calls; the route picks the
// renderer once the scene is made.
FrameTime engineFrameTime(int objects, const EngineRoute& route) {
  tk::SysSetup setup;
  // The same window as the library's: no multisampling (which the set-up
  // otherwise asks for when the light pre-pass is off).
  setup.antialias = 0;
  setup.lightPrePass = route.lightPrePass ? 1 : 0;
  setup.width = kWidth;
  setup.height = kHeight;
  setup.colorBits = 32;
  setup.windowed = 1;
  setup.vsync = 0;
  setup.stereo = 0;
  // The engine's effect files, as the program finds them beside itself.
  setup.hasBaseDirectory = true;
  setup.baseDirectory = TESK_SOURCE_DIR "/runtime/";
  if (tk::tkSysSetup(setup) != 0) return {};
  tk::PositionCamera(0, 0, -kCameraDistance);
  tk::MakeLight(0);
  tk::SetDirectionalLight(0, 0, 0, 0);
  tk::ColorAmbientLight(kAmbient);
  tk::ColorBackdrop(kBackdrop);
  bool made = tk::LoadObject(meshFile(), 1) == 0;
  for (int id = 2; made && id <= objects; ++id) made = tk::CloneObject(id, 1) == 0;
  for (int id = 1; made && id <= objects; ++id) {
    const irr::core::vector3df at = gridPosition(id - 1);
    tk::PositionObject(id, at.X, at.Y, at.Z);
    tk::RotateObject(id, kTurned.X, kTurned.Y, kTurned.Z);
  }
  if (made) made = route.use();
  const FrameTime seconds = made ? timeFrames([] {
    if (!tk::Run()) return false;
    tk::Sync();
    return true;
  }) : FrameTime();
  tk::Term();
  return seconds;
}

bool useDefaultRenderer() { return true; }

tk::STkRenderCommandRecord toDisplay(const char* type, std::vector<std::pair<const char*, int>> parameters) {
  tk::STkRenderCommandRecord c;
  c.name = c.cmd = type;
  c.outputs = {{"Color0", "Display"}};
  for (const auto& [name, value] : parameters) {
    tk::RenderParameter p;
    p.name = name;
    p.integer = value;
    c.parameters.push_back(p);
  }
  return c;
}

// A scene's own frame of Clear + Render Objects (the solid list).
bool useClearAndRenderObjectsList() {
  const std::vector<tk::STkRenderCommandRecord> list = {
      toDisplay("Clear", {{"ClearTarget", 1}, {"ClearZBuffer", 1}, {"UseBgColor", 1}}),
      toDisplay("Render Objects", {{"RenderList", 1}})};
  if (tk::tkCreateRenderer(0, 0, 0, list) != 0) return false;
  tk::tkSetRenderer(0);
  return true;
}

const EngineRoute kRoutes[] = {
    {"simple", false, useDefaultRenderer},
    {"commands", true, useClearAndRenderObjectsList},
};

void frameCost(benchmark::State& state, const EngineRoute& route, int objects) {
  if (!getenv("DISPLAY")) {
    state.SkipWithError("needs an X display: run it under xvfb-run");
    return;
  }
  FrameTime library{1e9, 1e9}, engine{1e9, 1e9};
  for (auto _ : state) {
    for (int round = 0; round < rounds(); ++round) {
      const FrameTime a = libraryFrameTime(objects);
      const FrameTime b = engineFrameTime(objects, route);
      if (a.wall <= 0 || b.wall <= 0) {
        state.SkipWithError("could not draw the scene");
        return;
      }
      library = {std::min(library.wall, a.wall), std::min(library.cpu, a.cpu)};
      engine = {std::min(engine.wall, b.wall), std::min(engine.cpu, b.cpu)};
    }
    state.SetIterationTime(engine.wall * kFrames);
  }
  state.counters["library_ms_per_frame"] = library.wall * 1000;
  state.counters["engine_ms_per_frame"] = engine.wall * 1000;
  state.counters["engine_per_library"] = engine.wall / library.wall;
  state.counters["engine_per_library_cpu"] = engine.cpu / library.cpu;
}

[[maybe_unused]] const bool kRegistered = [] {
  tk::setLogThreshold(tk::LOG_NONE);
  tk::disableMessageBoxes();
  for (const EngineRoute& route : kRoutes)
    for (int objects : {1, kGridSide * kGridSide})
      benchmark::RegisterBenchmark((std::string("BM_FrameCost/") + route.name + "/" + std::to_string(objects)).c_str(),
                                   [&route, objects](benchmark::State& state) { frameCost(state, route, objects); })
          ->Iterations(1)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
