// Editing a shader file while the engine runs replaces the programs of the
// shader materials that use it.
#include <gtest/gtest.h>

#include <fstream>

#include "base/files/file_layer.h"
#include "effects/shaders/gpu_programming_services.h"
#include "effects/shaders/shader_reload.h"
#include "platform/shader_compiler_probe.h"
#include "tests/base/watch/watch_test_support.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

TEST(ShaderHotReloadTest, AnEditedIncludeReplacesThePrograms) {
  ASSERT_EQ(missingShaderCompilerLibrary(), nullptr);
  test::TempFolder base;
  setBaseDirectory(base.path().c_str());
  for (const char* folder : kShaderFolders) base.write(std::string(folder) + "/.keep", "");
  const std::string colour = base.write("shadersPP/colour.h", "#define COLOUR float4(1, 0, 0, 1)\n");
  SShaderMaterialRequest request;
  request.vertexPath = base.write("shadersPP/quad.hlsl", "float4 vs_main(float4 p : POSITION) : POSITION { return p; }");
  request.vertexEntry = "vs_main";
  request.pixelPath =
      base.write("shadersPP/copy.hlsl", "#include \"colour.h\"\nfloat4 ps_main() : COLOR { return COLOUR; }");
  request.pixelEntry = "ps_main";

  irr::IrrlichtDevice* device = irr::createDevice(irr::video::EDT_NULL);
  {
    CTkGPUProgrammingServices services(device->getVideoDriver());
    const int type = services.getShaderMaterial(request);
    ASSERT_GE(type, 0);
    auto* material = dynamic_cast<CTkShaderProgramMaterial*>(device->getVideoDriver()->getMaterialRenderer(type));
    ASSERT_NE(material, nullptr);
    std::vector<int> heard;
    connectShaderHotReload(&services, [&](const std::vector<int>& updated) { heard = updated; });
    beginFolderWatches();
    test::CapturedStdout output;
    std::ofstream(colour) << "#define COLOUR float4(0, 0, 1, 1)\n";
    const bool replaced = test::waitUntil([&] {
      pollShaderChanges();
      return material->revision() > 0;
    });
    const std::string log = output.take();
    endFolderWatches();
    connectShaderHotReload(nullptr);
    EXPECT_TRUE(replaced) << log;
    EXPECT_EQ(heard, std::vector<int>{type});
    EXPECT_NE(material->pixel().glsl.find("vec4(0.0, 0.0, 1.0, 1.0)"), std::string::npos) << material->pixel().glsl;
    EXPECT_NE(log.find("TkGPU: recompile " + request.pixelPath + " (Pixel)..."), std::string::npos) << log;
  }
  device->drop();
  setBaseDirectory("");
}

}  // namespace
}  // namespace tk
