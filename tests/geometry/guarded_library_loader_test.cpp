// The display library's own loaders behind the guard: good files load as the
// library loads them, files its loaders crash on are refused in a child.
#include "geometry/guarded/guarded_library_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/log.h"
#include "fuzz/engine/fuzz_inputs.h"
#include "geometry/guarded/trial_load.h"
#include "geometry/guarded/zero_filled_read_file.h"
#include "geometry/mesh_loading.h"
#include "tests/geometry/mesh_comparison.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Kept inputs of the mesh fuzz target: the first byte picks the format.
const fs::path kFuzzInputs = fs::path(TESK_SOURCE_DIR) / "fuzz/engine";

class GuardedLibraryLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setLogThreshold(LOG_NONE);
    device_ = irr::createDevice(irr::video::EDT_NULL);
    ASSERT_TRUE(device_);
    device_->getLogger()->setLogLevel(irr::ELL_NONE);
    scenes_ = device_->getSceneManager();
    registerMeshLoaders(scenes_);
  }
  void TearDown() override {
    device_->drop();
    setLogThreshold(LOG_INFO);
  }

  // The library's own loader for the file's extension, as the manager first asks it.
  irr::scene::IMeshLoader* libraryLoaderFor(const std::string& path) {
    for (irr::u32 i = scenes_->getMeshLoaderCount(); i-- > 0;) {
      irr::scene::IMeshLoader* loader = scenes_->getMeshLoader(i);
      if (loader->isALoadableFileExtension(path.c_str()) && !dynamic_cast<CTkGuardedLibraryLoader*>(loader))
        return loader;
    }
    return nullptr;
  }

  // The body of a kept fuzz input written as a file of its format.
  std::string writeFuzzInput(const fs::path& input) {
    const std::string bytes = readBytes(input);
    const std::string name = input.filename().string() + fuzz::meshFileExtension(static_cast<uint8_t>(bytes[0]));
    return folder_.write(name, bytes.substr(1));
  }

  test::TempFolder folder_;
  irr::IrrlichtDevice* device_ = nullptr;
  irr::scene::ISceneManager* scenes_ = nullptr;
};

TEST_F(GuardedLibraryLoaderTest, GoodFilesLoadAsTheLibraryLoadsThem) {
  for (const char* seed : {"skinned.x.seed", "cube.lwo.seed"}) {
    const std::string path = writeFuzzInput(kFuzzInputs / "corpus/mesh_file" / seed);
    irr::scene::IMeshLoader* library = libraryLoaderFor(path);
    ASSERT_TRUE(library) << seed;
    irr::scene::IAnimatedMesh* theirs = test::meshByLoader(library, device_, path);
    irr::scene::IAnimatedMesh* ours = loadMesh(scenes_, path.c_str());
    test::expectSameMesh(ours, theirs, seed);
    if (theirs) theirs->drop();
  }
}

// The kept inputs named "library-crash" crash the library's loaders whenever
// these run them in-process.
TEST_F(GuardedLibraryLoaderTest, FilesTheLibraryCrashesOnAreRefused) {
  size_t inputs = 0;
  for (const auto& entry : fs::directory_iterator(kFuzzInputs / "regressions/mesh_file")) {
    if (entry.path().filename().string().find("library-crash") == std::string::npos) continue;
    const std::string path = writeFuzzInput(entry.path());
    EXPECT_EQ(loadMesh(scenes_, path.c_str()), nullptr) << entry.path();
    ++inputs;
  }
  EXPECT_GT(inputs, 0u);
}

// Reads past the end give zeros, so that a loader which ignores how much it
// read sees the same values in the trial as in the load.
TEST(ZeroFilledReadFile, ReadsPastTheEndGiveZerosAndSeeksStayInside) {
  const std::string bytes = "abc";
  CTkZeroFilledReadFile file(bytes, "file.x");
  char out[5] = {'x', 'x', 'x', 'x', 'x'};
  EXPECT_EQ(file.read(out, 2), 2);
  EXPECT_EQ(file.read(out, 5), 1);
  EXPECT_EQ(std::string(out, 5), std::string("c\0\0\0\0", 5));
  EXPECT_EQ(file.read(out, 5), 0);
  EXPECT_EQ(file.getPos(), 3);
  const struct {
    long position;
    bool relative, accepted;
    long after;
  } seeks[] = {{0, false, true, 0}, {3, false, true, 3},   {4, false, false, 3}, {-4, true, false, 3},
               {-1, true, true, 2}, {-1, false, false, 2}, {2, true, false, 2}};
  for (const auto& s : seeks) {
    EXPECT_EQ(file.seek(s.position, s.relative), s.accepted) << s.position << (s.relative ? " relative" : "");
    EXPECT_EQ(file.getPos(), s.after) << s.position;
  }
}

TEST_F(GuardedLibraryLoaderTest, TrialLoadTellsLoadedFromRefused) {
  const std::string good = readBytes(kFuzzInputs / "corpus/mesh_file/skinned.x.seed").substr(1);
  EXPECT_EQ(trialLoad(good, "skinned.x"), TrialLoad::Loaded);
  EXPECT_EQ(trialLoad("not a mesh", "nothing.x"), TrialLoad::Refused);
  EXPECT_EQ(trialLoad(good, "unknown.format"), TrialLoad::Refused);
}

}  // namespace
}  // namespace tk
