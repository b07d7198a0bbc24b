// Scene loading and the per-frame animation step on a large generated scene
// (1000 objects, 1000 frames, 8 mesh files), each beside its baseline:
// - loading the scene against reading its TF document alone: the rest is the
//   cost of making the items (mesh sharing keeps repeated meshes cheap);
// - one full animation step against evaluating the same channels alone: the
//   rest is the cost of handing the values to the scene graph.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "bench/null_engine.h"
#include "render/engine.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "scene/scene_values.h"
#include "startup/sys_setup.h"

namespace {

constexpr int kObjects = 1000;

struct LargeScene {
  std::string folder;
  LargeScene() {
    char pattern[] = "/tmp/tesk-scene-bench-XXXXXX";
    folder = mkdtemp(pattern);
    std::string command = "python3 " TESK_SOURCE_DIR "/tools/make-large-scene.py " + folder +
                          "/large.tscn --objects " + std::to_string(kObjects) + " --frames 1000";
    if (system(command.c_str()) != 0) std::abort();
  }
  ~LargeScene() { std::string rm = "rm -rf " + folder; if (system(rm.c_str()) != 0) {} }
};

const LargeScene& largeScene() {
  static LargeScene scene;
  return scene;
}

void loadLarge() {
  tk::SceneBases bases;
  bases.object = 1;
  if (tk::loadScene("large.tscn", 1, bases, true, "large", false) != 0) std::abort();
}

void BM_ReadDocumentOnly(benchmark::State& state) {
  NullEngine engine(largeScene().folder.c_str());
  std::string error;
  for (auto _ : state) {
    auto desc = tk::readSceneFile("large.tscn", &error);
    benchmark::DoNotOptimize(desc.get());
  }
}
BENCHMARK(BM_ReadDocumentOnly)->Unit(benchmark::kMillisecond);

void BM_LoadScene(benchmark::State& state) {
  NullEngine engine(largeScene().folder.c_str());
  for (auto _ : state) {
    loadLarge();
    state.PauseTiming();
    tk::DeleteScene(1);
    state.ResumeTiming();
  }
  state.counters["us_per_object"] = benchmark::Counter(
      static_cast<double>(kObjects), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LoadScene)->Unit(benchmark::kMillisecond);

void BM_EvaluateChannelsOnly(benchmark::State& state) {
  NullEngine engine(largeScene().folder.c_str());
  loadLarge();
  const tk::STkSceneDesc& desc = *tk::sceneSlot(1)->description;
  int t = 0;
  for (auto _ : state) {
    float p = tk::scenePosition(desc, t);
    for (const tk::ObjectDesc& o : desc.objects) {
      benchmark::DoNotOptimize(tk::lerp3OrZero(o.position, p));
      benchmark::DoNotOptimize(tk::rotationDegrees(o.rotation, p));
      benchmark::DoNotOptimize(tk::lerp3OrZero(o.scale, p));
    }
    t = (t + 33) % 33000;
  }
}
BENCHMARK(BM_EvaluateChannelsOnly)->Unit(benchmark::kMicrosecond);

void BM_AnimateScene(benchmark::State& state) {
  NullEngine engine(largeScene().folder.c_str());
  loadLarge();
  tk::ShowScene(1);
  int t = 0;
  for (auto _ : state) {
    tk::AnimateScene(1, t);
    t = (t + 33) % 33000;
  }
}
BENCHMARK(BM_AnimateScene)->Unit(benchmark::kMicrosecond);

}  // namespace
