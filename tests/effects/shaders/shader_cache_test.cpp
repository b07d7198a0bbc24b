// The compiled-shader cache: names, ".inf" files, modes, staleness, damage.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/files/file_layer.h"
#include "effects/shaders/gpu_programming_services.h"
#include "platform/shader_compiler_probe.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

namespace fs = std::filesystem;

constexpr const char* kVertex = R"(
#include "common.h"
float4x4 WVP : WorldViewProjection;
float4 vs_main(float3 p : POSITION) : POSITION { return mul(float4(p, SCALE), WVP); }
)";
constexpr const char* kPixel = R"(
// #include "notes.h"
float4 Tint;
float4 ps_main() : COLOR { return Tint; }
)";

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Moves a file's time by `seconds` from now.
void setAge(const std::string& path, int seconds) {
  fs::last_write_time(path, fs::file_time_type::clock::now() + std::chrono::seconds(seconds));
}

class ShaderCacheTest : public ::testing::Test {
 public:
  void SetUp() override {
    ASSERT_EQ(missingShaderCompilerLibrary(), nullptr);
    device = irr::createDevice(irr::video::EDT_NULL);
    vertexPath = folder.write("shadersSURF/lightwave.hlsl", kVertex);
    includePath = folder.write("shadersSURF/common.h", "#define SCALE 1\n");
    notesPath = folder.write("shadersSURF/notes.h", "\n");
    pixelPath = folder.write("shadersSURF/plain.hlsl", kPixel);
    cacheFolder = folder.path() + "/shadersCache";
  }
  void TearDown() override { device->drop(); }

  std::unique_ptr<CTkGPUProgrammingServices> services(unsigned mode = 7) {
    auto made = std::make_unique<CTkGPUProgrammingServices>(device->getVideoDriver());
    made->setShaderCache(cacheFolder, mode);
    return made;
  }
  SShaderMaterialRequest request(ShaderMacroList macros = {}) {
    SShaderMaterialRequest r;
    r.vertexPath = vertexPath;
    r.vertexEntry = "vs_main";
    r.pixelPath = pixelPath;
    r.pixelEntry = "ps_main";
    r.macros = std::move(macros);
    return r;
  }
  std::string vertexCacheFile(ShaderMacroList macros = {}) {
    return cacheFolder + "/" + shaderCacheFileName({true, vertexPath, "vs_main", sortedMacros(macros)});
  }
  void makeNewerThanCache(const std::string& path) {
    for (const auto& entry : fs::directory_iterator(cacheFolder)) setAge(entry.path().string(), -1800);
    setAge(path, -60);
  }
  // Translations one more run needs to get the material.
  int translationsOfRun(unsigned mode = 7) {
    auto run = services(mode);
    std::string error;
    EXPECT_GE(run->getShaderMaterial(request(), &error), 0) << error;
    return run->translationCount();
  }

  test::TempFolder folder;
  irr::IrrlichtDevice* device = nullptr;
  std::string vertexPath, includePath, notesPath, pixelPath, cacheFolder;
};

TEST_F(ShaderCacheTest, NamesFollowFolderBaseEntryAndMacroDigest) {
  const std::string plain = fs::path(vertexCacheFile()).filename().string();
  EXPECT_EQ(plain.rfind("shadersSURF!lightwave!vs_main!3ZVJB5AZ5AKM63EVB1PCZVS9VHG93B7P!", 0), 0u) << plain;
  EXPECT_EQ(plain.substr(plain.size() - 4), ".vso");
  const std::string withMacros = vertexCacheFile({{"USE_UV2", "1"}, {"USE_TEX_COLOR", ""}});
  EXPECT_NE(withMacros.find("!B2KK2P75R33ZMA19PZWJ21MRYUTURU2T!"), std::string::npos) << withMacros;
  const std::string pixel = shaderCacheFileName({false, pixelPath, "ps_main", {}});
  EXPECT_EQ(pixel.substr(pixel.size() - 4), ".pso");
}

TEST_F(ShaderCacheTest, NamesAndMacroStringsDoNotCollide) {
  // Same folder name and base name, other parent folder or other extension.
  const std::string names[] = {
      shaderCacheFileName({true, folder.path() + "/a/shaders/x.hlsl", "main", {}}),
      shaderCacheFileName({true, folder.path() + "/b/shaders/x.hlsl", "main", {}}),
      shaderCacheFileName({true, folder.path() + "/a/shaders/x.fx", "main", {}}),
  };
  EXPECT_NE(names[0], names[1]);
  EXPECT_NE(names[0], names[2]);
  EXPECT_NE(shaderMacroString({{"A", "1~B 2"}}), shaderMacroString({{"A", "1"}, {"B", "2"}}));
  EXPECT_EQ(shaderMacroString({{"USE_TEX_COLOR", ""}, {"USE_UV2", "1"}}), "USE_TEX_COLOR ~USE_UV2 1~");
}

TEST_F(ShaderCacheTest, WarmStartTranslatesNothingAndServesTheSameShaders) {
  auto cold = services();
  const int type = cold->getShaderMaterial(request());
  ASSERT_GE(type, 0);
  EXPECT_EQ(cold->translationCount(), 2);
  EXPECT_EQ(readText(vertexCacheFile() + ".inf").substr(0, 1), "\n");  // empty macro string first

  auto warm = services();
  const int warmType = warm->getShaderMaterial(request());
  ASSERT_GE(warmType, 0);
  EXPECT_EQ(warm->translationCount(), 0);
  EXPECT_EQ(warm->vertexShaderOf(warmType)->code, cold->vertexShaderOf(type)->code);
  EXPECT_EQ(warm->vertexShaderOf(warmType)->includes, cold->vertexShaderOf(type)->includes);
}

TEST_F(ShaderCacheTest, SameMaterialTwiceIsOneMaterialAndOneCompile) {
  auto run = services(0);
  const int first = run->getShaderMaterial(request());
  EXPECT_EQ(run->getShaderMaterial(request()), first);
  EXPECT_EQ(run->translationCount(), 2);
  // Another macro set is another compile of both stages.
  EXPECT_NE(run->getShaderMaterial(request({{"X", "1"}})), first);
  EXPECT_EQ(run->translationCount(), 4);
}

TEST_F(ShaderCacheTest, StaleEntriesAreRebuilt) {
  struct Case {
    const char* what;
    unsigned mode;
    std::function<void(ShaderCacheTest&)> change;
    int translations;
  };
  const Case cases[] = {
      {"source newer, dates checked", 7, [](ShaderCacheTest& t) { t.makeNewerThanCache(t.vertexPath); }, 1},
      {"source newer, packed", 1, [](ShaderCacheTest& t) { t.makeNewerThanCache(t.vertexPath); }, 0},
      {"commented-out include newer", 7, [](ShaderCacheTest& t) { t.makeNewerThanCache(t.notesPath); }, 1},
      {"include edited, time kept", 7,
       [](ShaderCacheTest& t) {
         writeText(t.includePath, "#define SCALE 2\n");
         setAge(t.includePath, -3600);
       },
       1},
      {"other macros in the .inf", 7,
       [](ShaderCacheTest& t) { writeText(t.vertexCacheFile() + ".inf", "X 1~\n"); }, 1},
      {"truncated cache file", 7,
       [](ShaderCacheTest& t) { fs::resize_file(t.vertexCacheFile(), fs::file_size(t.vertexCacheFile()) - 3); }, 1},
      {"nothing changed", 7, [](ShaderCacheTest&) {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(cacheFolder);
    writeText(includePath, "#define SCALE 1\n");
    for (const std::string& file : {vertexPath, includePath, notesPath, pixelPath}) setAge(file, -3600);
    ASSERT_EQ(translationsOfRun(), 2);
    int changed, next;
    {
      test::CapturedStdout quiet;
      c.change(*this);
      changed = translationsOfRun(c.mode);
      next = translationsOfRun(c.mode);
    }
    EXPECT_EQ(changed, c.translations);
    // A rebuilt entry is written again and serves the next run.
    if (c.mode == 7) {
      EXPECT_EQ(next, 0);
    }
  }
}

TEST_F(ShaderCacheTest, AnUnwritableCacheOnlyLosesTheCopy) {
  std::ofstream(cacheFolder) << "a file where the folder should be";
  std::string printed;
  {
    test::CapturedStdout out;
    EXPECT_EQ(translationsOfRun(), 2);
    EXPECT_EQ(translationsOfRun(), 2);
    printed = out.take();
  }
  EXPECT_NE(printed.find("WARN : TkGPU: Cached Compiled Shader cannot be opened for write '" + vertexCacheFile() + "'"),
            std::string::npos)
      << printed;
}

TEST_F(ShaderCacheTest, ConflictingInfIsReportedWithBothMacroStrings) {
  ASSERT_EQ(translationsOfRun(), 2);
  writeText(vertexCacheFile() + ".inf", "OTHER 1~\n");
  test::CapturedStdout out;
  translationsOfRun();
  const std::string printed = out.take();
  EXPECT_NE(printed.find("Conflict in Shader Cache on '" + vertexCacheFile() + "' : Cached Macros : 'OTHER 1~' ; New Macros ''"),
            std::string::npos)
      << printed;
}

}  // namespace
}  // namespace tk
