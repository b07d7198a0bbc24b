// Surfaces of scene objects, each measured beside its baseline in one run:
// - one full animation step of 1000 objects with four surfaces each against
//   the same scene without surfaces (Arg 0): the surfaces' constant values
//   cost nothing per step, each animated one a channel read (Arg A: the
//   first A of the four surfaces have an animated luminosity); the aim is
//   at most 1.25 times;
// - loading 200 objects whose surfaces fall into 4 macro sets against loading
//   4 of them, each on a fresh engine, with a cold compiled-shader cache (Arg
//   1) and a warm one (Arg 0): the counter repeated_per_fresh is what one
//   more object with a variant made before costs over what an object with a
//   fresh variant costs (the aim is under 0.02).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "startup/sys_setup.h"

namespace {

namespace fs = std::filesystem;

// A folder with a scene from tools/make-large-scene.py, and a base directory
// of its own for the engine: the surface effects and the shader cache.
struct SurfaceScene {
  std::string folder;
  SurfaceScene(int objects, int frames, int surfaces, int macroSets, int animated = -1) {
    char pattern[] = "/tmp/tesk-surface-bench-XXXXXX";
    folder = mkdtemp(pattern);
    const std::string command = "python3 " TESK_SOURCE_DIR "/tools/make-large-scene.py " + folder +
                                "/scene.tscn --objects " + std::to_string(objects) + " --frames " +
                                std::to_string(frames) + " --surfaces " + std::to_string(surfaces) +
                                " --macro-sets " + std::to_string(macroSets) +
                                " --animated-surfaces " + std::to_string(animated);
    if (system(command.c_str()) != 0) std::abort();
    fs::create_directory_symlink(TESK_SOURCE_DIR "/runtime/shadersSURF", folder + "/shadersSURF");
  }
  ~SurfaceScene() { fs::remove_all(folder); }
  std::string cache() const { return folder + "/shadersCache"; }
};

// The engine on the null driver with the scene's folder as its base and current folder.
struct Engine {
  explicit Engine(const SurfaceScene& scene) {
    setenv("TESK_DRIVER", "null", 1);
    tk::setLogThreshold(tk::LOG_NONE);
    tk::disableMessageBoxes();
    tk::SysSetup setup;
    setup.hasBaseDirectory = true;
    setup.baseDirectory = scene.folder + "/";
    if (tk::tkSysSetup(setup) != 0) std::abort();
    tk::fileLayer().setDirectory(scene.folder.c_str());
  }
  ~Engine() { tk::tkSysShutdown(); }
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;
};

void load() {
  tk::SceneBases bases;
  bases.object = 1;
  if (tk::loadScene("scene.tscn", 1, bases, true, "surfaces", false) != 0) std::abort();
}

// Arg -1: no surfaces; A = 0 to 4: four surfaces, A of them animated.
const SurfaceScene& animationScene(int animated) {
  static SurfaceScene without(1000, 250, 0, 1);
  static SurfaceScene withSurfaces[5] = {{1000, 250, 4, 1, 0}, {1000, 250, 4, 1, 1}, {1000, 250, 4, 1, 2},
                                         {1000, 250, 4, 1, 3}, {1000, 250, 4, 1, 4}};
  return animated < 0 ? without : withSurfaces[animated];
}

void BM_AnimateScene(benchmark::State& state) {
  Engine engine(animationScene(static_cast<int>(state.range(0))));
  load();
  tk::ShowScene(1);
  int t = 0;
  for (auto _ : state) {
    tk::AnimateScene(1, t);
    t = (t + 33) % 8000;
  }
}
BENCHMARK(BM_AnimateScene)->Arg(-1)->Arg(0)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

// Seconds to load the scene on a fresh engine.
double timedLoad(const SurfaceScene& scene, bool coldCache) {
  if (coldCache) fs::remove_all(scene.cache());
  Engine engine(scene);
  const auto start = std::chrono::steady_clock::now();
  load();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  tk::DeleteScene(1);
  return took.count();
}

void BM_LoadSurfaceVariants(benchmark::State& state) {
  static SurfaceScene four(4, 30, 1, 4), many(200, 30, 1, 4);
  const bool cold = state.range(0) != 0;
  if (!cold) {  // fill the cache
    timedLoad(four, false);
    timedLoad(many, false);
  }
  double fresh = 0, repeated = 0;
  for (auto _ : state) {
    const double small = timedLoad(four, cold);
    const double large = timedLoad(many, cold);
    state.SetIterationTime(small + large);
    fresh += small / 4;
    repeated += (large - small) / 196;
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["fresh_ms"] = 1000 * fresh / iterations;
  state.counters["repeated_ms"] = 1000 * repeated / iterations;
  state.counters["repeated_per_fresh"] = repeated / fresh;
}
BENCHMARK(BM_LoadSurfaceVariants)->Arg(1)->Arg(0)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
