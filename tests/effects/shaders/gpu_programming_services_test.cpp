// Shader materials: failures, queries on the constant table, updates after edits.
#include <gtest/gtest.h>

#include <fstream>

#include "effects/shaders/gpu_programming_services.h"
#include "platform/shader_compiler_probe.h"
#include "tests/effects/shaders/shader_sources.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

class GpuProgrammingServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(missingShaderCompilerLibrary(), nullptr);
    device = irr::createDevice(irr::video::EDT_NULL);
    services = std::make_unique<CTkGPUProgrammingServices>(device->getVideoDriver());
    vertexPath = folder.write("shaders/v.hlsl", test::kVertexShader);
    pixelPath = folder.write("shaders/p.hlsl", "#include \"tint.h\"\n" + std::string(test::kPixelShader));
    tintPath = folder.write("shaders/tint.h", "float Gain;\n");
  }
  void TearDown() override {
    services.reset();
    device->drop();
  }
  SShaderMaterialRequest request() {
    SShaderMaterialRequest r;
    r.vertexPath = vertexPath;
    r.vertexEntry = "vs_main";
    r.pixelPath = pixelPath;
    r.pixelEntry = "ps_main";
    return r;
  }

  test::TempFolder folder;
  irr::IrrlichtDevice* device = nullptr;
  std::unique_ptr<CTkGPUProgrammingServices> services;
  std::string vertexPath, pixelPath, tintPath;
};

TEST_F(GpuProgrammingServicesTest, FailuresGoToTheErrorTextOrTheLog) {
  struct Case {
    std::string vertexPath, pixelPath, vertexEntry;
    std::string expected;
  };
  const std::string missing = folder.path() + "/none.hlsl";
  const Case cases[] = {
      {missing, pixelPath, "vs_main", "Shader files not found : " + missing + " " + pixelPath},
      {vertexPath, pixelPath, "nothing", "Failed to Compile Vertex shader " + vertexPath + "\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    SShaderMaterialRequest r = request();
    r.vertexPath = c.vertexPath;
    r.vertexEntry = c.vertexEntry;
    std::string error;
    std::string printed;
    {
      test::CapturedStdout out;
      EXPECT_EQ(services->getShaderMaterial(r, &error), -1);
      printed = out.take();
    }
    EXPECT_EQ(error.substr(0, c.expected.size()), c.expected);
    EXPECT_EQ(printed.find("ERROR"), std::string::npos) << printed;
    {
      test::CapturedStdout out;
      EXPECT_EQ(services->getShaderMaterial(r), -1);
      printed = out.take();
    }
    EXPECT_NE(printed.find("TkGPU: "), std::string::npos) << printed;
  }
}

TEST_F(GpuProgrammingServicesTest, QueriesAnswerFromTheConstantTables) {
  const int type = services->getShaderMaterial(request());
  ASSERT_GE(type, 0);
  int offset = -1, size = -1, unit = -1;
  EXPECT_TRUE(services->getVertexConstantRegister(type, "Lights[1].Radius", &offset, &size));
  EXPECT_EQ(offset, 204);
  EXPECT_EQ(size, 4);
  EXPECT_FALSE(services->getVertexConstantRegister(type, "Tint", &offset, &size));
  EXPECT_TRUE(services->getPixelConstantRegister(type, "Tint", &offset, &size));
  EXPECT_TRUE(services->getPixelSamplerIndex(type, "Diffuse", &unit));
  EXPECT_EQ(unit, 3);
  EXPECT_FALSE(services->getVertexSamplerIndex(type, "Diffuse", &unit));
  EXPECT_FALSE(services->getPixelConstantRegister(type + 1, "Tint", &offset, &size));
  auto* material = dynamic_cast<CTkShaderProgramMaterial*>(device->getVideoDriver()->getMaterialRenderer(type));
  ASSERT_NE(material, nullptr);
  EXPECT_EQ(material->pixel().glsl, services->pixelShaderOf(type)->code.glsl);
}

TEST_F(GpuProgrammingServicesTest, UpdateRecompilesWhatUsesAChangedFile) {
  const int type = services->getShaderMaterial(request());
  ASSERT_GE(type, 0);
  auto* material = dynamic_cast<CTkShaderProgramMaterial*>(device->getVideoDriver()->getMaterialRenderer(type));
  ASSERT_NE(material, nullptr);
  std::ofstream(tintPath) << "float Gain;\nfloat4 Extra[2];\n";
  std::vector<int> updated;
  std::string error;
  // The watcher's spelling of the path need not be the compiler's.
  std::string printed;
  {
    test::CapturedStdout out;
    EXPECT_TRUE(services->updateShaders({folder.path() + "/shaders/./tint.h"}, &updated, &error));
    printed = out.take();
  }
  EXPECT_EQ(error, "");
  // The new constant moved nothing the effects resolved, but the table changed.
  EXPECT_NE(printed.find("WARN : TkGPU: warning, you may restart the engine: " + pixelPath +
                         ": pixel contant buffer sizes are different"),
            std::string::npos)
      << printed;
  EXPECT_EQ(updated, std::vector<int>{type});
  EXPECT_EQ(material->revision(), 1u);
  EXPECT_EQ(services->translationCount(), 3);  // only the pixel shader again

  // A file nobody uses changes nothing.
  ASSERT_TRUE(services->updateShaders({folder.path() + "/shaders/other.h"}, &updated, &error));
  EXPECT_TRUE(updated.empty());

  // A broken edit keeps the programs and reports the compiler's text.
  const std::string before = material->pixel().glsl;
  std::ofstream(tintPath) << "float Gain = ;\n";
  EXPECT_FALSE(services->updateShaders({tintPath}, &updated, &error));
  EXPECT_TRUE(updated.empty());
  EXPECT_EQ(error.rfind("Failed to compile " + pixelPath + "\n", 0), 0u) << error;
  EXPECT_NE(error.find("tint.h"), std::string::npos) << error;
  EXPECT_EQ(material->pixel().glsl, before);
}

}  // namespace
}  // namespace tk
