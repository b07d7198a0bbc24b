// Replays the fuzzing seed corpus and every input the fuzzers ever tripped on
// through the round-trip property, so a fixed fault stays fixed in every build.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fuzz/tf_roundtrip_property.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

TEST(TfFuzzCorpus, EveryKeptInputKeepsTheRoundTripProperty) {
  size_t files = 0;
  for (const char* folder : {"fuzz/corpus", "fuzz/regressions"}) {
    std::filesystem::path path = std::filesystem::path(TESK_SOURCE_DIR) / folder;
    if (!std::filesystem::exists(path)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
      std::ifstream in(entry.path(), std::ios::binary);
      std::stringstream bytes;
      bytes << in.rdbuf();
      std::string input = bytes.str();
      test::CapturedStdout quiet;  // malformed inputs print their messages
      EXPECT_EQ(checkTfRoundTrip(input.data(), input.size()), "") << entry.path();
      ++files;
    }
  }
  EXPECT_GT(files, 0u);
}

}  // namespace
}  // namespace tk
