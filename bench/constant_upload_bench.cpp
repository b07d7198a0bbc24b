// The per-draw cost of feeding an effect's constants: every bind function of a
// pass computes its value and writes it into the stage's block, as the
// engine's material renderer has it before each draw. The baseline copies the
// finished blocks, the least any upload has to do.
#include <benchmark/benchmark.h>

#include <irrlicht.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/binds/bind_environment.h"
#include "effects/runtime/effect_manager.h"
#include "effects/runtime/effect_tech_lookup.h"
#include "effects/shaders/gpu_programming_services.h"
#include "platform/shader_compiler_probe.h"
#include "render/tk_scene_manager.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kSurfaceEffect = R"(// [TESK_BEGIN]
// float4x4 WorldViewProjection : WorldViewProjection : vertex
// float4x4 World : World : vertex
// float4x4 WorldInverseTranspose : WorldInverseTranspose : vertex
// float4 ViewPosition : ViewPosition : pixel
// float Time : Time : pixel
// float4 Tint : 1 0.5 0.25 1 : pixel
// float Gloss : 0.5 : pixel
// float4 Lights[4] : 0 : pixel
// [TESK_END]
float4x4 WorldViewProjection;
float4x4 World;
float4x4 WorldInverseTranspose;
float4 ViewPosition;
float Time;
float4 Tint;
float Gloss;
float4 Lights[4];
struct VSOut { float4 pos : POSITION; float3 normal : TEXCOORD0; float3 world : TEXCOORD1; };
VSOut vs_main(float4 p : POSITION, float3 n : NORMAL) {
  VSOut o;
  o.pos = mul(p, WorldViewProjection);
  o.world = mul(p, World).xyz;
  o.normal = mul(float4(n, 0), WorldInverseTranspose).xyz;
  return o;
}
float4 ps_main(float3 n : TEXCOORD0, float3 world : TEXCOORD1) : COLOR {
  float3 v = normalize(ViewPosition.xyz - world);
  float l = saturate(dot(normalize(n), v)) + Lights[0].x + Lights[3].y;
  return Tint * l * (1 + Gloss * sin(Time));
}
)";

// Writes each constant into its stage's block, as the material renderer does.
class BlockServices : public irr::video::IMaterialRendererServices, public tk::ITkResolvedConstantServices {
 public:
  void setBasicRenderStates(const irr::video::SMaterial&, const irr::video::SMaterial&, bool) override {}
  bool setVertexShaderConstant(const irr::c8*, const irr::f32*, int) override { return false; }
  bool setVertexShaderConstant(const irr::c8*, const bool*, int) override { return false; }
  bool setVertexShaderConstant(const irr::c8*, const irr::s32*, int) override { return false; }
  void setVertexShaderConstant(const irr::f32* data, irr::s32 first, irr::s32 count) override {
    write(vertex, data, first, count);
  }
  bool setPixelShaderConstant(const irr::c8*, const irr::f32*, int) override { return false; }
  bool setPixelShaderConstant(const irr::c8*, const bool*, int) override { return false; }
  bool setPixelShaderConstant(const irr::c8*, const irr::s32*, int) override { return false; }
  void setPixelShaderConstant(const irr::f32* data, irr::s32 first, irr::s32 count) override {
    write(pixel, data, first, count);
  }
  irr::video::IVideoDriver* getVideoDriver() override { return nullptr; }
  void setResolvedConstant(int stage, const tk::STkShaderConstant& constant, const float* values,
                           int count) override {
    std::vector<uint8_t>& block = stage == 2 ? vertex : pixel;
    tk::writeConstant(constant, values, static_cast<size_t>(count), block.data(), block.size());
  }
  static void write(std::vector<uint8_t>& block, const float* data, int first, int count) {
    const size_t offset = static_cast<size_t>(first) * 16;
    if (offset < block.size())
      std::memcpy(block.data() + offset, data, std::min(block.size() - offset, static_cast<size_t>(count) * 16));
  }
  std::vector<uint8_t> vertex, pixel;
};

struct Fixture {
  Fixture() {
    tk::setLogThreshold(tk::LOG_ERROR);
    tk::installPlainFileLayer();
    tk::missingShaderCompilerLibrary();
    std::string pattern = (fs::temp_directory_path() / "tesk-upload-bench-XXXXXX").string();
    root = mkdtemp(pattern.data());
    std::ofstream(root + "/surface.fx") << kSurfaceEffect;
    device = irr::createDevice(irr::video::EDT_NULL);
    services = std::make_unique<tk::CTkGPUProgrammingServices>(device->getVideoDriver());
    lookup = new tk::CTkEffectTechLookup();
    environment.device = device;
    environment.sceneManager = &sceneManager;
    manager = std::make_unique<tk::CTkEffectManager>(device, services.get(), lookup, &contexts, &environment);
    effect = manager->createEffect((root + "/surface.fx").c_str(), -1, {});
    if (!effect) return;
    const tk::STkFxPass* pass = effect->pass(0, 0);
    const int type = pass->material.base.MaterialType;
    blocks.vertex.resize(services->vertexShaderOf(type)->code.table.blockSize);
    blocks.pixel.resize(services->pixelShaderOf(type)->code.table.blockSize);
    for (const tk::STkFxShader& shader : pass->shaders) constants += static_cast<int>(shader.constants.size());
  }
  ~Fixture() {
    if (effect) effect->drop();
    manager.reset();
    services.reset();
    lookup->drop();
    device->drop();
    fs::remove_all(root);
  }
  std::string root;
  irr::IrrlichtDevice* device = nullptr;
  std::unique_ptr<tk::CTkGPUProgrammingServices> services;
  tk::CTkEffectTechLookup* lookup = nullptr;
  tk::CTkSceneManager sceneManager;
  tk::CTkMaterialContexts contexts;
  tk::STkBindEnvironment environment;
  std::unique_ptr<tk::CTkEffectManager> manager;
  tk::CTkEffect* effect = nullptr;
  BlockServices blocks;
  int constants = 0;
};

void BM_FeedPassConstants(benchmark::State& state) {
  Fixture fixture;
  if (!fixture.effect) {
    state.SkipWithError(fixture.manager->getLastError().c_str());
    return;
  }
  tk::STkMaterialContext context;
  context.effect = fixture.effect;
  const irr::video::SMaterial material;
  for (auto _ : state) {
    fixture.effect->onSetShaderConstants(&fixture.blocks, 0, material, context);
    benchmark::DoNotOptimize(fixture.blocks.pixel.data());
  }
  state.counters["constants"] = fixture.constants;
}
BENCHMARK(BM_FeedPassConstants);

void BM_CopyFinishedBlocks(benchmark::State& state) {
  Fixture fixture;
  std::vector<uint8_t> vertex(fixture.blocks.vertex.size()), pixel(fixture.blocks.pixel.size());
  for (auto _ : state) {
    std::memcpy(fixture.blocks.vertex.data(), vertex.data(), vertex.size());
    std::memcpy(fixture.blocks.pixel.data(), pixel.data(), pixel.size());
    benchmark::DoNotOptimize(fixture.blocks.pixel.data());
  }
}
BENCHMARK(BM_CopyFinishedBlocks);

}  // namespace
