// The demo player and the scene viewer read the music position once per frame
// as their clock; this measures what that read costs while music plays, next to
// the idle poll of the six shader folder watches that every loop also makes.

#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "base/files/file_layer.h"
#include "effects/shaders/shader_reload.h"
#include "music/music.h"
#include "tests/music/generated_audio.h"

namespace {

std::string makeFolder() {
  char pattern[] = "/tmp/tesk-bench-XXXXXX";
  return mkdtemp(pattern);
}

void BM_GetMusicPositionWhilePlaying(benchmark::State& state) {
  std::string folder = makeFolder();
  std::string tune = folder + "/tune.ogg";
  setenv("TMPDIR", folder.c_str(), 1);
  if (!tk::test::writeTone(tune, tk::test::AudioFormat::OggVorbis, 30) || tk::musicStartup() != 0 ||
      tk::LoadMusic(tune.c_str(), 1) != 0 || tk::PlayMusic(1) != 0) {
    state.SkipWithError("music does not play");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(tk::GetMusicPosition(1));
  tk::musicShutdown();
  std::remove(tune.c_str());
  rmdir(folder.c_str());
}
BENCHMARK(BM_GetMusicPositionWhilePlaying);

void BM_PollShaderFoldersIdle(benchmark::State& state) {
  std::string folder = makeFolder();
  for (const char* name : tk::kShaderFolders) mkdir((folder + "/" + name).c_str(), 0755);
  tk::setBaseDirectory(folder.c_str());
  tk::beginFolderWatches();
  for (auto _ : state) benchmark::DoNotOptimize(tk::pollShaderChanges());
  tk::endFolderWatches();
  for (const char* name : tk::kShaderFolders) rmdir((folder + "/" + name).c_str());
  rmdir(folder.c_str());
}
BENCHMARK(BM_PollShaderFoldersIdle);

}  // namespace
