// Binary TF loading against only reading the same file into memory: loading
// swaps the numbers in place and builds the tree, and should cost little more
// than the read itself (goal: at most 1.5 times the read).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "bench/tf_bench_scene.h"
#include "tf/tf_load.h"
#include "tf/tf_load_bytes.h"
#include "tf/tf_writer.h"

namespace {

// About 32 MB in the binary encoding: 2000 objects of 6 channels of 1000 frames.
class BinaryScene {
 public:
  BinaryScene() {
    tk::bench::SceneTexts texts = tk::bench::SceneWriter().build(2000, 1000);
    tk::TfDocPtr doc(tk::TF_LoadMemory(texts.tf.data(), texts.tf.size()));
    std::string bytes, error;
    if (!doc || !tk::TF_WriteBinary(tk::TF_Root(doc.get()), &bytes, &error)) std::abort();
    char pattern[] = "/tmp/tesk-bench-XXXXXX";
    int fd = mkstemp(pattern);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
    close(fd);
    path_ = pattern;
    size_ = bytes.size();
  }
  ~BinaryScene() { unlink(path_.c_str()); }
  const char* path() const { return path_.c_str(); }
  size_t size() const { return size_; }

 private:
  std::string path_;
  size_t size_ = 0;
};

const BinaryScene& scene() {
  static BinaryScene s;
  return s;
}

void BM_Baseline_ReadBinaryFile(benchmark::State& state) {
  scene();  // generated before the clock starts
  for (auto _ : state) {
    tk::TfFileBytes file;
    if (!tk::tfReadFileBytes(scene().path(), &file)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(file.bytes.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * scene().size()));
}

void BM_TF_LoadBinaryFile(benchmark::State& state) {
  scene();
  for (auto _ : state) {
    tk::TfDocPtr doc(tk::TF_Load(scene().path()));
    if (!doc) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(doc.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * scene().size()));
}

BENCHMARK(BM_Baseline_ReadBinaryFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TF_LoadBinaryFile)->Unit(benchmark::kMillisecond);

}  // namespace
