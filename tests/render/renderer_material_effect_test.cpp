// Which effect file and macros a renderer names for a surface: none under the
// simple renderer; under the stand-in for the light pre-pass renderer the
// forward effect for the blending material types and the pre-pass effect for
// the others, with USE_OUTDEPTH.
#include <gtest/gtest.h>

#include "base/log.h"
#include "render/renderer.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

TEST(RendererMaterialEffect, SimpleRendererNamesNothing) {
  irr::IrrlichtDevice* device = irr::createDevice(irr::video::EDT_NULL);
  CTkRendererCtx* ctx = new CTkRendererCtx();
  ITkRenderer* renderer = new CTkRendererSimple(device, ctx);
  std::string file = "unchanged";
  ShaderMacroList macros = {{"USE_TEX_COLOR", ""}};
  int capacity = 1;
  EXPECT_TRUE(renderer->getMaterialEffect(&file, &macros, &capacity, 13));
  EXPECT_EQ(file, "");
  EXPECT_EQ(capacity, 0);
  EXPECT_EQ(macros.size(), 1u);
  renderer->drop();
  ctx->drop();
  device->drop();
}

TEST(RendererMaterialEffect, LightPrePassNamesForwardForBlendingTypes) {
  struct Case {
    int materialType;
    const char* file;
  };
  for (const Case& c : {Case{0, "Lpp.hlsl"}, Case{11, "Lpp.hlsl"}, Case{12, "Forward.hlsl"}, Case{13, "Forward.hlsl"},
                        Case{15, "Forward.hlsl"}, Case{16, "Lpp.hlsl"}, Case{23, "Lpp.hlsl"}}) {
    SCOPED_TRACE(c.materialType);
    std::string file;
    ShaderMacroList macros = {{"USE_TEX_COLOR", ""}};
    int capacity = 2;
    ASSERT_TRUE(lightPrePassMaterialEffect("CTkRendererLpp", &file, &macros, &capacity, c.materialType));
    EXPECT_EQ(file, c.file);
    EXPECT_EQ(capacity, 1);
    EXPECT_EQ(macros, (ShaderMacroList{{"USE_TEX_COLOR", ""}, {"USE_OUTDEPTH", ""}}));
  }
}

TEST(RendererMaterialEffect, LightPrePassNeedsRoomForItsMacroAndTheEnd) {
  setLogThreshold(LOG_ERROR);
  std::string file, logged;
  ShaderMacroList macros;
  int capacity = 1;
  {
    test::CapturedStdout out;
    EXPECT_FALSE(lightPrePassMaterialEffect("CTkRendererLpp", &file, &macros, &capacity, 0));
    logged = out.take();
  }
  EXPECT_NE(logged.find("CTkRendererLpp::getMaterialEffect not enough space for macros"), std::string::npos);
  EXPECT_TRUE(macros.empty());
  setLogThreshold(LOG_INFO);
}

}  // namespace
}  // namespace tk
