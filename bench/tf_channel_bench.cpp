// Channel evaluation: interpolated reads of long DAT and RUN channels at
// sequential and at random positions, in nanoseconds per evaluation.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "tf/tf_channel.h"
#include "tf/tf_load.h"

namespace {

constexpr int kSamples = 100000;

// "dat": one DAT block of every sample; "run": RUN blocks of 50 samples each;
// "mixed": RUN and DAT blocks of 50 samples in turn, as baked motion with holds.
class Channels {
 public:
  Channels() {
    std::string text = "dat FP_C DAT " + std::to_string(kSamples);
    for (int k = 0; k < kSamples; ++k) text += " " + std::to_string(0.001 * k);
    text += "\nrun FP_C";
    for (int b = 0; b < kSamples / 50; ++b) text += " RUN 50 " + std::to_string(b);
    text += "\nmixed FP_C";
    for (int b = 0; b < kSamples / 50; ++b) {
      if (b % 2) {
        text += " DAT 50";
        for (int k = 0; k < 50; ++k) text += " " + std::to_string(b + 0.02 * k);
      } else {
        text += " RUN 50 " + std::to_string(b);
      }
    }
    text += "\n";
    doc_.reset(tk::TF_LoadMemory(text.data(), text.size()));
    if (!doc_) std::abort();
    std::mt19937 random(7);
    std::uniform_real_distribution<float> position(0.0f, kSamples - 1.0f);
    for (int i = 0; i < 4096; ++i) randomPositions_.push_back(position(random));
  }
  const tk::TF_Node* get(const char* name) const { return tk::TF_Find(tk::TF_Root(doc_.get()), name); }
  const std::vector<float>& randomPositions() const { return randomPositions_; }

 private:
  tk::TfDocPtr doc_;
  std::vector<float> randomPositions_;
};

const Channels& channels() {
  static Channels c;
  return c;
}

const char* const kNames[] = {"dat", "run", "mixed"};

void BM_TF_LerpSequential(benchmark::State& state) {
  const tk::TF_Node* channel = channels().get(kNames[state.range(0)]);
  float p = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tk::TF_FP_Lerp(channel, p));
    p += 0.4f;
    if (p > kSamples) p = 0;
  }
  state.SetLabel(kNames[state.range(0)]);
}

void BM_TF_LerpRandom(benchmark::State& state) {
  const tk::TF_Node* channel = channels().get(kNames[state.range(0)]);
  const std::vector<float>& positions = channels().randomPositions();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tk::TF_FP_Lerp(channel, positions[i]));
    i = (i + 1) & (positions.size() - 1);
  }
  state.SetLabel(kNames[state.range(0)]);
}

BENCHMARK(BM_TF_LerpSequential)->DenseRange(0, 2);
BENCHMARK(BM_TF_LerpRandom)->DenseRange(0, 2);

}  // namespace
