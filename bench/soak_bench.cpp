// Soak: round after round on the null driver, the example scenes are loaded
// and deleted, an object is loaded, cloned a hundred times and deleted, and
// effects are loaded and deleted. After a warm-up the memory of each round is
// measured: the resident set (RSS) and the heap in use. An engine that frees
// what it makes stays flat however long it runs, so the goal is zero growth.
//
// Run it alone with
//   build/bench/soak_bench --benchmark_counters_tabular=true
// (tools/bench.sh runs it with the others). TESK_SOAK_ROUNDS (default 300:
// 1,200 scene loads, 30,000 clones, 900 effect loads) and TESK_SOAK_WARMUP
// (default 20) set the length; TESK_SOAK_TRACE=1 writes each
// round's memory to standard error. The counters: rss_kb and heap_kb after the
// last round, and their growth per round over the measured rounds
// (rss_growth_kb_per_round, heap_growth_bytes_per_round, a least-squares
// slope, so one late allocation does not count as a trend).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "api/effect_commands.h"
#include "api/object_commands.h"
#include "base/files/file_layer.h"
#include "base/log.h"
#include "bench/null_engine.h"
#include "scene/scene_slots.h"
#include "startup/sys_setup.h"

namespace {

const char* const kScenes[] = {"orbit", "towers", "rings", "badge"};  // examples/scenes/NAME/NAME.tscn
const char* const kEffects[] = {"shadersPP/Tint.hlsl", "shadersPP/Sepia.hlsl", "shadersSURF/LitSurface.hlsl"};
constexpr int kClones = 100;

int environmentNumber(const char* name, int fallback) {
  const char* value = getenv(name);
  return value && *value ? atoi(value) : fallback;
}

struct Memory {
  double rssKb = 0;
  double heapBytes = 0;
};

Memory memoryNow() {
  Memory memory;
  long pages = 0, resident = 0;
  if (FILE* statm = fopen("/proc/self/statm", "r")) {
    if (fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    fclose(statm);
  }
  memory.rssKb = static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024.0;
  memory.heapBytes = static_cast<double>(mallinfo2().uordblks);
  return memory;
}

// Growth per round: the least-squares slope of the values over their rounds.
double slope(const std::vector<double>& values) {
  const double n = static_cast<double>(values.size());
  if (n < 2) return 0;
  double sumX = 0, sumY = 0, sumXY = 0, sumXX = 0;
  for (size_t i = 0; i < values.size(); ++i) {
    const double x = static_cast<double>(i);
    sumX += x;
    sumY += values[i];
    sumXY += x * values[i];
    sumXX += x * x;
  }
  return (n * sumXY - sumX * sumY) / (n * sumXX - sumX * sumX);
}

void scenesRound() {
  for (const char* scene : kScenes) {
    // Meshes are named from the scene's folder, as the viewer and the demo player enter it.
    tk::fileLayer().setDirectory((std::string(TESK_SOURCE_DIR) + "/examples/scenes/" + scene).c_str());
    const std::string file = std::string(scene) + ".tscn";
    tk::SceneBases bases;
    bases.object = 1;
    if (tk::LoadScene(file.c_str(), 1, bases, false, scene) != 0) std::abort();
    tk::DeleteScene(1);
  }
}

void objectsRound() {
  const std::string mesh = std::string(TESK_SOURCE_DIR) + "/examples/objects/torus.obj";
  if (tk::LoadObject(mesh.c_str(), 1) != 0) std::abort();
  for (int id = 2; id < 2 + kClones; ++id) tk::CloneObject(id, 1);
  for (int id = 1; id < 2 + kClones; ++id) tk::DeleteObject(id);
}

void effectsRound() {
  int id = 1;
  for (const char* effect : kEffects) {
    const std::string path = std::string(TESK_SOURCE_DIR) + "/runtime/" + effect;
    if (tk::LoadEffect(path.c_str(), id++) != 0) std::abort();
  }
  for (int made = 1; made < id; ++made) tk::DeleteEffect(made);
}

void round() {
  scenesRound();
  objectsRound();
  effectsRound();
}

void BM_SoakScenesObjectsEffects(benchmark::State& state) {
  NullEngine engine;
  const int warmUp = environmentNumber("TESK_SOAK_WARMUP", 20);
  const bool trace = environmentNumber("TESK_SOAK_TRACE", 0) != 0;
  for (int i = 0; i < warmUp; ++i) round();
  // Room for every round up front: the measurement itself must not grow the heap.
  std::vector<double> rss, heap;
  rss.reserve(static_cast<size_t>(state.max_iterations));
  heap.reserve(static_cast<size_t>(state.max_iterations));
  for (auto _ : state) {
    round();
    state.PauseTiming();
    const Memory memory = memoryNow();
    rss.push_back(memory.rssKb);
    heap.push_back(memory.heapBytes);
    if (trace) fprintf(stderr, "round %zu: rss %.0f kB, heap %.0f bytes\n", rss.size(), memory.rssKb, memory.heapBytes);
    state.ResumeTiming();
  }
  state.counters["rss_kb"] = rss.empty() ? 0 : rss.back();
  state.counters["heap_kb"] = heap.empty() ? 0 : heap.back() / 1024.0;
  state.counters["rss_growth_kb_per_round"] = slope(rss);
  state.counters["heap_growth_bytes_per_round"] = slope(heap);
}
BENCHMARK(BM_SoakScenesObjectsEffects)
    ->Iterations(environmentNumber("TESK_SOAK_ROUNDS", 300))
    ->Unit(benchmark::kMillisecond);

}  // namespace
