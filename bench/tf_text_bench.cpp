// TF text parsing against RapidJSON parsing a JSON document of the same content
// (goal: at least the same bytes per second).
#include <benchmark/benchmark.h>
#include <rapidjson/document.h>

#include "bench/tf_bench_scene.h"
#include "tf/tf_load.h"

namespace {

// The scene of the binary load benchmark: about 83 MB of text, 2000 objects of 6
// channels of 1000 frames.
const tk::bench::SceneTexts& texts() {
  static tk::bench::SceneTexts t = tk::bench::SceneWriter().build(2000, 1000);
  return t;
}

void BM_Baseline_RapidJsonParse(benchmark::State& state) {
  const std::string& json = texts().json;  // generated before the clock starts
  for (auto _ : state) {
    rapidjson::Document document;
    document.Parse(json.c_str(), json.size());
    if (document.HasParseError()) state.SkipWithError("JSON does not parse");
    benchmark::DoNotOptimize(&document);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * json.size()));
}

void BM_TF_ParseText(benchmark::State& state) {
  const std::string& tf = texts().tf;
  for (auto _ : state) {
    tk::TfDocPtr doc(tk::TF_LoadMemory(tf.data(), tf.size()));
    if (!doc) state.SkipWithError("TF text does not parse");
    benchmark::DoNotOptimize(doc.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tf.size()));
}

BENCHMARK(BM_Baseline_RapidJsonParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TF_ParseText)->Unit(benchmark::kMillisecond);

}  // namespace
