// The definition cache: keys by absolute path and sorted macros, loader order
// and the messages of failed loads.

#include <gtest/gtest.h>

#include <irrlicht.h>

#include <fstream>
#include <string>

#include "effects/definitions/effect_def_cache.h"
#include "tests/effects/definitions/effect_def_fixture.h"
#include "tests/support/zip_builder.h"

namespace tk::test {
namespace {

// A loader for ".test" files that records its calls and may answer nothing.
class RecordingLoader : public ITkEffectDefLoader {
 public:
  RecordingLoader(const char* title, bool dependsOnMacros, bool answers)
      : title_(title), dependsOnMacros_(dependsOnMacros), answers_(answers) {}
  bool isLoadableEffectFile(const char* path) const override {
    const std::string name(path);
    return name.size() > 5 && name.compare(name.size() - 5, 5, ".test") == 0;
  }
  bool dependsOnMacros() const override { return dependsOnMacros_; }
  CTkEffectDef* createEffectDef(FileLayer&, const char* path, const ShaderMacroList& macros,
                                bool driverFlag, std::string* error) override {
    ++calls;
    lastPath = path;
    lastMacros = macros;
    lastDriverFlag = driverFlag;
    error->clear();
    if (!answers_) return nullptr;
    CTkEffectDef* def = new CTkEffectDef();
    def->title = title_;
    return def;
  }

  int calls = 0;
  std::string lastPath;
  ShaderMacroList lastMacros;
  bool lastDriverFlag = false;

 private:
  std::string title_;
  bool dependsOnMacros_;
  bool answers_;
};

class EffectDefCacheTest : public EffectDefTest {
 protected:
  void SetUp() override {
    EffectDefTest::SetUp();
    addEngineEffectDefLoaders(cache);
  }
  // Adds a loader that the cache keeps alive.
  RecordingLoader* addLoader(const char* title, bool dependsOnMacros, bool answers) {
    RecordingLoader* loader = new RecordingLoader(title, dependsOnMacros, answers);
    cache.addEffectDefLoader(loader);
    loader->drop();
    return loader;
  }

  CTkEffectDefCache cache;
  std::string lastError = "untouched";
};

TEST_F(EffectDefCacheTest, SameFileAndMacroSetGiveTheSameDefinition) {
  const std::string path = writeEffect("// float4 tint : 1");
  ITkEffectDef* first = cache.getEffectDef(path.c_str(), {{"USE_A", "1"}, {"USE_B", ""}}, &lastError);
  ASSERT_TRUE(first);
  EXPECT_EQ(path, first->getSourcePath());
  EXPECT_EQ(first, cache.getEffectDef(path.c_str(), {{"USE_B", ""}, {"USE_A", "1"}}, &lastError));
  EXPECT_EQ(first, cache.getEffectDef(path.c_str(), {{"USE_B", ""}, {"", "x"}, {"USE_A", "1"}},
                                      &lastError));
  EXPECT_NE(first, cache.getEffectDef(path.c_str(), {{"USE_A", "2"}, {"USE_B", ""}}, &lastError));
  EXPECT_NE(first, cache.getEffectDef(path.c_str(), {}, &lastError));
  EXPECT_EQ(3u, cache.size());
  EXPECT_EQ("untouched", lastError);
}

TEST_F(EffectDefCacheTest, RelativeAndAbsolutePathsShareTheEntry) {
  const std::string path = writeEffect("", "rel.fx");
  fileLayer().setDirectory(folder.path().c_str());
  ITkEffectDef* relative = cache.getEffectDef("rel.fx", {}, &lastError);
  ITkEffectDef* absolute = cache.getEffectDef(path.c_str(), {}, &lastError);
  ASSERT_TRUE(relative);
  EXPECT_EQ(relative, absolute);
  EXPECT_EQ(path, relative->getSourcePath());
}

TEST_F(EffectDefCacheTest, LoadersAreAskedFromTheLastAddedAndMayPassOn) {
  RecordingLoader* first = addLoader("first", true, true);
  RecordingLoader* second = addLoader("second", true, false);
  const std::string path = folder.write("a.test", "x");
  ITkEffectDef* def = cache.getEffectDef(path.c_str(), {{"Z", ""}, {"A", "v"}}, &lastError);
  ASSERT_TRUE(def);
  EXPECT_EQ("first", def->getDesc().title);
  EXPECT_EQ(1, second->calls);
  EXPECT_EQ(1, first->calls);
  EXPECT_EQ(path, first->lastPath);
  ASSERT_EQ(2u, first->lastMacros.size());
  EXPECT_EQ("A", first->lastMacros[0].name);

  // The engine's own loader, added before these, never saw the ".test" file,
  // while its own files never reach the others.
  EXPECT_TRUE(cache.getEffectDef(writeEffect("").c_str(), {}, &lastError));
  EXPECT_EQ(1, first->calls);
}

TEST_F(EffectDefCacheTest, MacroIndependentDefinitionsServeEveryMacroSet) {
  RecordingLoader* loader = addLoader("collada-like", false, true);
  const std::string path = folder.write("b.test", "x");
  ITkEffectDef* plain = cache.getEffectDef(path.c_str(), {{"USE_X", "1"}}, &lastError);
  EXPECT_EQ(plain, cache.getEffectDef(path.c_str(), {}, &lastError));
  EXPECT_EQ(plain, cache.getEffectDef(path.c_str(), {{"USE_Y", ""}}, &lastError));
  EXPECT_EQ(1, loader->calls);
  EXPECT_EQ(1u, cache.size());
}

TEST_F(EffectDefCacheTest, DriverFlagReachesTheLoaders) {
  CTkEffectDefCache glCache(true);
  RecordingLoader* loader = new RecordingLoader("gl", true, true);
  glCache.addEffectDefLoader(loader);
  glCache.getEffectDef(folder.write("c.test", "x").c_str(), {}, &lastError);
  EXPECT_TRUE(loader->lastDriverFlag);
  loader->drop();
}

TEST_F(EffectDefCacheTest, FailedLoadIsLoggedAndNotCached) {
  const std::string path = writeEffect("// float4");
  CapturedStdout out;
  EXPECT_FALSE(cache.getEffectDef(path.c_str(), {}, &lastError));
  EXPECT_EQ("param line has 1 tokens0 less than 2", lastError);
  EXPECT_NE(std::string::npos,
            out.take().find("ERROR : CTkEffectManager: ERROR ITkEffectDef : param line has 1 "
                            "tokens0 less than 2"));

  writeEffect("// float4 tint : 1");
  ITkEffectDef* mended = cache.getEffectDef(path.c_str(), {}, &lastError);
  ASSERT_TRUE(mended);
  EXPECT_EQ(1, mended->getDesc().parameterCount);
}

TEST_F(EffectDefCacheTest, MissingAndUnknownFilesReportTheirOwnWay) {
  CapturedStdout out;
  EXPECT_FALSE(cache.getEffectDef((folder.path() + "/none.hlsl").c_str(), {}, &lastError));
  EXPECT_EQ("Cannot open file", lastError);
  EXPECT_NE(std::string::npos,
            out.take().find("CTkEffectManager: ERROR ITkEffectDef : Cannot open file"));

  EXPECT_FALSE(cache.getEffectDef("shaders/none.txt", {}, &lastError));
  EXPECT_EQ("", lastError);
  EXPECT_NE(std::string::npos,
            out.take().find("ERROR : CTkEffectManager: Cannot load effect shaders/none.txt"));
  EXPECT_FALSE(cache.getEffectDef((folder.path() + "/none.fx").c_str(), {}, nullptr));
  EXPECT_EQ(0u, cache.size());
}

TEST_F(EffectDefCacheTest, EffectInsideAMountedArchiveIsRead) {
  const std::string archivePath = folder.path() + "/data.zip";
  std::ofstream(archivePath, std::ios::binary)
      << makeZip({{"packedfx/glow.fx", "// [TESK_BEGIN]\n// float4 tint : 1\n// [TESK_END]\n"}});
  irr::IrrlichtDevice* device = irr::createDevice(irr::video::EDT_NULL);
  ASSERT_TRUE(device);
  ASSERT_TRUE(device->getFileSystem()->addFileArchive(archivePath.c_str(), true, false,
                                                      irr::io::EFAT_ZIP));
  installDeviceFileLayer(device->getFileSystem());
  ITkEffectDef* def = cache.getEffectDef("packedfx/glow.fx", {}, &lastError);
  ASSERT_TRUE(def) << lastError;
  EXPECT_EQ(1, def->getDesc().parameterCount);
  EXPECT_EQ(def, cache.getEffectDef("packedfx/glow.fx", {}, &lastError));
  installPlainFileLayer();
  device->drop();
}

}  // namespace
}  // namespace tk::test
