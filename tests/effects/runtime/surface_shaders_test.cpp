// The LightWave surface effects of the runtime folder, built through the HLSL
// translation on the null driver: every surface macro alone and in the
// combinations surfaces make, each technique, every sampler fed by a surface
// texture on a layer the material holds, every semantic answered by a bind.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/binds/bind_environment.h"
#include "effects/runtime/effect.h"
#include "effects/runtime/effect_manager.h"
#include "effects/runtime/effect_tech_lookup.h"
#include "effects/shaders/gpu_programming_services.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

const std::string kSurfaceFolder = std::string(TESK_SOURCE_DIR) + "/runtime/shadersSURF/";

struct Released {
  void operator()(CTkEffect* effect) const {
    if (effect) effect->drop();
  }
};
using EffectPtr = std::unique_ptr<CTkEffect, Released>;

ShaderMacroList macrosOf(const std::vector<std::string>& names) {
  ShaderMacroList macros;
  for (const std::string& name : names) macros.push_back({name, ""});
  return macros;
}

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : " ") + name;
  return text.empty() ? "(none)" : text;
}

const std::vector<std::string> kAllTextures = {
    "USE_TEX_COLOR",        "USE_TEX_LUMINOSITY",   "USE_TEX_DIFFUSE",      "USE_TEX_SPECULAR",
    "USE_TEX_GLOSSINESS",   "USE_TEX_REFLECIMG",    "USE_TEX_REFLECTIVITY", "USE_TEX_TRANSPARENCY",
    "USE_TEX_TRANSLUCENCY", "USE_TEX_NORMAL",       "USE_TRANSPARENT",      "USE_TRANSLUCENCY"};

std::vector<std::string> with(std::vector<std::string> names, const std::vector<std::string>& more) {
  names.insert(names.end(), more.begin(), more.end());
  return names;
}

class SurfaceShaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    installPlainFileLayer();
    device = irr::createDevice(irr::video::EDT_NULL);
    services = std::make_unique<CTkGPUProgrammingServices>(device->getVideoDriver());
    lookup = new CTkEffectTechLookup();
    STkBindEnvironment environment;
    environment.device = device;
    manager = std::make_unique<CTkEffectManager>(device, services.get(), lookup, &contexts, &environment);
  }
  void TearDown() override {
    manager.reset();
    services.reset();
    lookup->drop();
    device->drop();
  }

  EffectPtr build(const std::string& file, const std::vector<std::string>& macros, int baseMaterial = 0) {
    return EffectPtr(manager->createEffect((kSurfaceFolder + file).c_str(), baseMaterial, macrosOf(macros)));
  }

  // The same, with what the build logged.
  EffectPtr buildLogged(const std::string& file, const std::vector<std::string>& macros, std::string* log) {
    test::CapturedStdout out;
    EffectPtr effect = build(file, macros);
    *log = out.take();
    return effect;
  }

  const CTkShaderProgramMaterial* shaderMaterialOf(const CTkEffect& effect, int technique) {
    const int type = effect.pass(technique, 0)->material.base.MaterialType;
    return dynamic_cast<const CTkShaderProgramMaterial*>(device->getVideoDriver()->getMaterialRenderer(type));
  }

  // The semantics of the textures a technique's pixel shader reads, by layer
  // (empty text for a layer without one).
  std::vector<std::string> layerSemantics(const CTkEffect& effect, int technique) {
    const STkFxPass* pass = effect.pass(technique, 0);
    std::vector<std::string> semantics;
    for (const STkFxShader& shader : pass->shaders)
      for (const STkFxTextureBind& texture : shader.textures) {
        EXPECT_EQ(shader.stage, kStagePixel) << texture.name;
        EXPECT_TRUE(texture.sampler >= 0 && texture.sampler < kPixelLayerCount) << texture.name;
        if (texture.sampler >= static_cast<int>(semantics.size())) semantics.resize(texture.sampler + 1);
        EXPECT_TRUE(semantics[texture.sampler].empty()) << "two textures on layer " << texture.sampler;
        semantics[texture.sampler] = effect.getParameter(texture.parameter)->semantic;
      }
    return semantics;
  }
  size_t texturesOf(const CTkEffect& effect, int technique) {
    const std::vector<std::string> layers = layerSemantics(effect, technique);
    return static_cast<size_t>(std::count_if(layers.begin(), layers.end(), [](const std::string& s) { return !s.empty(); }));
  }

  // Every sampler the compiled pixel shader declares is fed by a texture of
  // the header on a layer the material holds, and the three techniques are
  // there for the renderers.
  void expectComplete(const CTkEffect& effect) {
    ASSERT_EQ(effect.techniqueCount(), 3);
    EXPECT_EQ(effect.getTechnique(1)->name, "depth");
    EXPECT_EQ(effect.getTechnique(2)->name, "shadow");
    for (int technique = 0; technique < 3; ++technique) {
      SCOPED_TRACE("technique " + effect.getTechnique(technique)->name);
      const CTkShaderProgramMaterial* material = shaderMaterialOf(effect, technique);
      ASSERT_TRUE(material);
      EXPECT_EQ(material->pixel().table.samplers.size(), texturesOf(effect, technique));
    }
  }

  irr::IrrlichtDevice* device = nullptr;
  std::unique_ptr<CTkGPUProgrammingServices> services;
  CTkEffectTechLookup* lookup = nullptr;
  CTkMaterialContexts contexts;
  std::unique_ptr<CTkEffectManager> manager;
};

TEST_F(SurfaceShaderTest, EveryMacroAloneAndTheCombinationsSurfacesMakeBuildEveryTechnique) {
  const std::vector<std::vector<std::string>> alone = {
      {},
      {"USE_TEX_COLOR"},
      {"USE_TEX_LUMINOSITY"},
      {"USE_TEX_DIFFUSE"},
      {"USE_TEX_SPECULAR"},
      {"USE_TEX_GLOSSINESS"},
      {"USE_TEX_REFLECIMG"},
      {"USE_TEX_REFLECTIVITY"},
      {"USE_TEX_TRANSPARENCY"},
      {"USE_TEX_TRANSLUCENCY"},
      {"USE_TEX_NORMAL"},
      {"USE_TRANSPARENT"},
      {"USE_TRANSLUCENCY"},
      {"USE_TEX_REFLECCUBE"},
      {"USE_COMPTANGENT"},
      {"USE_UV2"},
      {"USE_UV2INTEX2"},
      {"USE_UV2_TEX_COLOR"},
      {"USE_UV2_TEX_LUMINOSITY"},
      {"USE_UV2_TEX_DIFFUSE"},
      {"USE_UV2_TEX_SPECULAR"},
      {"USE_UV2_TEX_GLOSSINESS"},
      {"USE_UV2_TEX_REFLECTIVITY"},
      {"USE_UV2_TEX_TRANSPARENCY"},
      {"USE_UV2_TEX_TRANSLUCENCY"},
      {"USE_UV2_TEX_NORMAL"},
      {"USE_CUBEMAPAABB"},
      {"USE_NODECUBEMAP"},
      {"USE_OUTDEPTH"},
  };
  const std::vector<std::vector<std::string>> combined = {
      kAllTextures,
      with(kAllTextures, {"USE_OUTDEPTH"}),
      {"USE_TRANSPARENT", "USE_TRANSLUCENCY", "USE_OUTDEPTH"},
      {"USE_TEX_COLOR", "USE_TEX_TRANSPARENCY", "USE_TRANSPARENT", "USE_TEX_TRANSLUCENCY", "USE_TRANSLUCENCY"},
      // Bump on a mesh without tangents, and on one with tangents and a second UV set.
      {"USE_TEX_COLOR", "USE_TEX_NORMAL", "USE_COMPTANGENT"},
      {"USE_TEX_COLOR", "USE_TEX_NORMAL", "USE_COMPTANGENT", "USE_UV2", "USE_UV2_TEX_NORMAL"},
      {"USE_TEX_COLOR", "USE_TEX_NORMAL", "USE_UV2", "USE_UV2INTEX2", "USE_UV2_TEX_COLOR", "USE_UV2_TEX_NORMAL"},
      {"USE_TEX_COLOR", "USE_TEX_NORMAL", "USE_UV2", "USE_UV2INTEX2", "USE_UV2_TEX_LUMINOSITY",
       "USE_UV2_TEX_DIFFUSE", "USE_UV2_TEX_SPECULAR", "USE_UV2_TEX_GLOSSINESS", "USE_UV2_TEX_REFLECTIVITY",
       "USE_UV2_TEX_TRANSPARENCY", "USE_UV2_TEX_TRANSLUCENCY"},
      // Reflections: a lat-long image, a cube, the node's own probe in its box.
      {"USE_TEX_REFLECIMG", "USE_TEX_REFLECTIVITY"},
      {"USE_TEX_REFLECIMG", "USE_TEX_REFLECCUBE"},
      {"USE_TEX_REFLECIMG", "USE_TEX_REFLECTIVITY", "USE_TEX_REFLECCUBE", "USE_CUBEMAPAABB", "USE_NODECUBEMAP"},
      {"USE_TEX_REFLECIMG", "USE_CUBEMAPAABB", "USE_NODECUBEMAP"},
      with(kAllTextures, {"USE_TEX_REFLECCUBE", "USE_COMPTANGENT", "USE_UV2", "USE_CUBEMAPAABB",
                          "USE_NODECUBEMAP", "USE_OUTDEPTH"}),
  };
  struct File {
    const char* name;
    std::vector<std::string> extra;  // added to every set
  };
  const File files[] = {{"Forward.hlsl", {}}, {"Lpp.hlsl", {}}};
  for (const File& file : files)
    for (const auto* sets : {&alone, &combined})
      for (const std::vector<std::string>& set : *sets) {
        const std::vector<std::string> macros = with(set, file.extra);
        SCOPED_TRACE(std::string(file.name) + ": " + joined(macros));
        std::string log;
        EffectPtr effect = buildLogged(file.name, macros, &log);
        ASSERT_TRUE(effect) << manager->getLastError() << "\n" << log;
        expectComplete(*effect);
        EXPECT_EQ(log.find("has no corresponding binding"), std::string::npos) << log;
      }
}

struct LayerCase {
  const char* file;
  std::vector<std::string> macros;
  std::vector<std::string> layers;  // semantics of the default technique's textures, layer 0 first
};

TEST_F(SurfaceShaderTest, TexturesTakeLayersInKeepingOrderWithinTheEightTheMaterialHolds) {
  const std::vector<std::string> allInForward = {
      "LW_Tex_BaseColor",    "LW_Tex_Bump",        "LW_Tex_Transparency", "LW_Tex_ReflectionImage",
      "LW_Tex_Luminosity",   "LW_Tex_Specularity", "LW_Tex_Glossiness",   "LW_Tex_Diffuse"};
  const std::vector<std::string> allInLightBuffer = {
      "LW_Tex_BaseColor",  "LW_Tex_Bump",        "LW_Tex_Transparency", "LW_Tex_ReflectionImage",
      "LW_Tex_Luminosity", "LW_Tex_Specularity", "LW_Tex_Glossiness",   "LightRTT"};
  const LayerCase cases[] = {
      {"Forward.hlsl", {}, {}},
      {"Lpp.hlsl", {}, {"LightRTT"}},
      {"Forward.hlsl", {"USE_TEX_COLOR"}, {"LW_Tex_BaseColor"}},
      {"Forward.hlsl", {"USE_TEX_TRANSLUCENCY", "USE_TEX_COLOR"}, {"LW_Tex_BaseColor", "LW_Tex_Translucency"}},
      {"Lpp.hlsl", {"USE_TEX_NORMAL"}, {"LW_Tex_Bump", "LightRTT"}},
      // Reflectivity without a reflection image has nothing to scale.
      {"Forward.hlsl", {"USE_TEX_REFLECTIVITY"}, {}},
      {"Forward.hlsl", {"USE_TEX_REFLECIMG", "USE_TEX_REFLECTIVITY"},
       {"LW_Tex_ReflectionImage", "LW_Tex_Reflectivity"}},
      // Ten textures asked for: reflectivity and translucency fall back to their values.
      {"Forward.hlsl", kAllTextures, allInForward},
      {"Lpp.hlsl", kAllTextures, allInLightBuffer},
  };
  for (const LayerCase& c : cases) {
    SCOPED_TRACE(std::string(c.file) + ": " + joined(c.macros));
    EffectPtr effect = build(c.file, c.macros);
    ASSERT_TRUE(effect) << manager->getLastError();
    EXPECT_EQ(layerSemantics(*effect, 0), c.layers);
  }
}

TEST_F(SurfaceShaderTest, RenderPathsFindDepthAndShadowWhichDrawSolidWhateverTheSurfaceBlends) {
  for (const char* file : {"Forward.hlsl", "Lpp.hlsl"}) {
    SCOPED_TRACE(file);
    EffectPtr effect = build(file, {"USE_TRANSPARENT"}, 13);
    ASSERT_TRUE(effect) << manager->getLastError();
    EXPECT_EQ(effect->getTechniqueForPath(manager->findTechnique("depth")), 1);
    EXPECT_EQ(effect->getTechniqueForPath(manager->findTechnique("shadow")), 2);
    EXPECT_EQ(shaderMaterialOf(*effect, 0)->baseMaterial(), 13);
    EXPECT_EQ(shaderMaterialOf(*effect, 1)->baseMaterial(), 0);
    EXPECT_EQ(shaderMaterialOf(*effect, 2)->baseMaterial(), 0);
  }
}

}  // namespace
}  // namespace tk
