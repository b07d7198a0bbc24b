// Replays the seeds and every kept regression input of the engine fuzz targets
// through their input functions, so that a fault once found stays fixed in
// every build, sanitizer builds included.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/log.h"
#include "fuzz/engine/fuzz_inputs.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

struct EngineFuzzTarget {
  const char* name;
  int (*input)(const uint8_t* data, size_t size);
};

const EngineFuzzTarget kTargets[] = {
    {"setup_file", fuzz::setupFile},
    {"mesh_file", fuzz::meshFile},
    {"demo_description", fuzz::demoDescription},
    {"demo_load", fuzz::demoLoad},
    {"scene_load", fuzz::sceneLoad},
    {"packed_archive", fuzz::packedArchive},
    {"program_trailer", fuzz::programTrailer},
    {"script_commands", fuzz::scriptCommands},
    {"joystick_stream", fuzz::joystickStream},
    {"utf8_cut", fuzz::utf8Cut},
};

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(EngineFuzzInputs, EveryKeptInputRunsThroughItsTarget) {
  const int threshold = logThreshold();
  for (const EngineFuzzTarget& target : kTargets) {
    size_t files = 0;
    for (const char* kind : {"corpus", "regressions"}) {
      const std::filesystem::path folder = std::filesystem::path(TESK_SOURCE_DIR) / "fuzz/engine" / kind / target.name;
      if (!std::filesystem::is_directory(folder)) continue;
      for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string input = readBytes(entry.path());
        test::CapturedStdout quiet;
        EXPECT_EQ(target.input(reinterpret_cast<const uint8_t*>(input.data()), input.size()), 0) << entry.path();
        ++files;
      }
    }
    EXPECT_GT(files, 0u) << target.name << " has no kept inputs";
  }
  setLogThreshold(threshold);
}

}  // namespace
}  // namespace tk
