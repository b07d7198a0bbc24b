#pragma once
// Effects built by the effect manager on the null driver: shaders are
// translated for real, nothing is drawn. Definitions are made by hand so a
// test states exactly the passes, states and binds it needs.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/definitions/effect_def.h"
#include "effects/runtime/effect_builder.h"
#include "effects/runtime/effect_manager.h"
#include "effects/runtime/effect_tech_lookup.h"
#include "effects/shaders/gpu_programming_services.h"
#include "tests/support/capture_stdout.h"

namespace tk::test {

// Vertex shader with a World constant; pixel shader with a tint, a value the
// compiler removes and a sampler.
constexpr const char* kEffectSource = R"(
float4x4 World;
float4 Tint;
float4 Unused;
sampler2D Diffuse;
#ifndef USE_X
#define USE_X 0
#endif
float4 vs_main(float4 p : POSITION) : POSITION { return mul(p, World); }
float4 ps_main(float2 uv : TEXCOORD0) : COLOR { return Tint * USE_X + tex2D(Diffuse, uv); }
)";

struct Released {
  template <typename T>
  void operator()(T* object) const {
    if (object) object->drop();
  }
};
using EffectPtr = std::unique_ptr<CTkEffect, Released>;

class EffectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    installPlainFileLayer();
    setLogThreshold(LOG_DEBUG);
    device = irr::createDevice(irr::video::EDT_NULL);
    services = std::make_unique<CTkGPUProgrammingServices>(device->getVideoDriver());
    lookup = new CTkEffectTechLookup();
    manager = std::make_unique<CTkEffectManager>(device, services.get(), lookup, &contexts, nullptr);
    shaderPath = folder.write("fx.hlsl", kEffectSource);
  }
  void TearDown() override {
    manager.reset();
    services.reset();
    lookup->drop();
    device->drop();
    setLogThreshold(LOG_INFO);
  }

  static SParameter parameter(const std::string& name, int type, const std::string& value = "",
                              const std::string& semantic = "") {
    SParameter p;
    p.name = name;
    p.type = type;
    p.value = value;
    p.semantic = semantic;
    return p;
  }
  static SParameter bindOf(const std::string& name) {
    SParameter b;
    b.name = name;
    b.value = name;
    return b;
  }
  static SState state(const std::string& name, const std::string& value, const std::string& reference = "",
                      int index = 0) {
    SState s;
    s.name = name;
    s.value = value;
    s.parameterReference = reference;
    s.index = index;
    return s;
  }

  // A definition with World, Tint, Unused and Diffuse, one technique of one
  // pass whose shaders bind all four.
  CTkEffectDef* definition() {
    auto* def = new CTkEffectDef();
    def->sourcePath = folder.path() + "/effect.fx";
    def->addParameter(parameter("World", kParamFloat4x4, "1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1"));
    def->addParameter(parameter("Tint", kParamFloat4, "0.25 0.5 0.75 1"));
    def->addParameter(parameter("Unused", kParamFloat4, "1 1 1 1"));
    def->addParameter(parameter("Diffuse", kParamTexture2D));
    STechnique technique;
    SPass pass;
    SShader vertex;
    vertex.stage = kStageVertex;
    vertex.entry = "vs_main";
    vertex.source = "file://fx.hlsl";
    vertex.profile = 3;
    vertex.binds = {bindOf("World")};
    SShader pixel;
    pixel.stage = kStagePixel;
    pixel.entry = "ps_main";
    pixel.source = "fx.hlsl";
    pixel.profile = 6;
    pixel.binds = {bindOf("Tint"), bindOf("Unused"), bindOf("Diffuse")};
    pass.shaders = {vertex, pixel};
    technique.passes = {pass};
    def->techniques = {technique};
    return def;
  }

  SPass& firstPass(CTkEffectDef* def) { return def->techniques[0].passes[0]; }

  struct Built {
    EffectPtr effect;
    std::string error;
  };
  Built build(CTkEffectDef* def, int baseMaterial = -1, const ShaderMacroList& macros = {}) {
    Built built;
    built.effect.reset(new CTkEffect(def));
    def->drop();
    STkEffectBuildInputs inputs;
    inputs.services = services.get();
    inputs.binds = &manager->binds();
    inputs.resolvers = &manager->resolvers();
    inputs.shaderDirectories = &manager->shaderDirectories();
    inputs.textureDirectories = &manager->textureDirectories();
    inputs.defaultBaseMaterial = baseMaterial;
    inputs.macros = macros;
    inputs.callback = manager->defaultCallback();
    CTkEffectBuilder builder(inputs, built.effect.get());
    if (!builder.build()) {
      built.error = builder.error();
      built.effect.reset();
    }
    return built;
  }

  // The shader material a pass was compiled into.
  const CTkShaderProgramMaterial* shaderMaterialOf(const CTkEffect& effect, int technique = 0, int pass = 0) {
    const int type = effect.pass(technique, pass)->material.base.MaterialType;
    return dynamic_cast<const CTkShaderProgramMaterial*>(device->getVideoDriver()->getMaterialRenderer(type));
  }

  irr::IrrlichtDevice* device = nullptr;
  std::unique_ptr<CTkGPUProgrammingServices> services;
  CTkEffectTechLookup* lookup = nullptr;
  CTkMaterialContexts contexts;
  std::unique_ptr<CTkEffectManager> manager;
  TempFolder folder;
  std::string shaderPath;
};

}  // namespace tk::test
