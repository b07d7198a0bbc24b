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

// Each kept input of a library format once crashed its loader in-process.
TEST_F(GuardedLibraryLoaderTest, FilesTheLibraryCrashesOnAreRefused) {
  size_t inputs = 0;
  for (const auto& entry : fs::directory_iterator(kFuzzInputs / "regressions/mesh_file")) {
    const std::string path = writeFuzzInput(entry.path());
    if (fs::path(path).extension() == ".obj") continue;
    const std::string bytes = readBytes(path);
    EXPECT_NE(trialLoad(bytes, path.c_str()), TrialLoad::Loaded) << entry.path();
    EXPECT_EQ(loadMesh(scenes_, path.c_str()), nullptr) << entry.path();
    ++inputs;
  }
  EXPECT_GT(inputs, 0u);
}

TEST_F(GuardedLibraryLoaderTest, TrialLoadTellsLoadedFromRefused) {
  const std::string good = readBytes(kFuzzInputs / "corpus/mesh_file/skinned.x.seed").substr(1);
  EXPECT_EQ(trialLoad(good, "skinned.x"), TrialLoad::Loaded);
  EXPECT_EQ(trialLoad("not a mesh", "nothing.x"), TrialLoad::Refused);
  EXPECT_EQ(trialLoad(good, "unknown.format"), TrialLoad::Refused);
}

}  // namespace
}  // namespace tk
