// Shader translation per effect variant, and getting a set of shader materials
// with a cold compiled-shader cache (translating everything) against a warm one
// (reading every shader back, no glslang).
#include <benchmark/benchmark.h>

#include <irrlicht.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "effects/shaders/gpu_programming_services.h"
#include "platform/shader_compiler_probe.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kSurfaceVertex = R"(
float4x4 WorldViewProjection : WorldViewProjection;
float4x4 World : World;
struct VSOut { float4 pos : POSITION; float2 uv : TEXCOORD0; float3 normal : TEXCOORD1; float3 worldPos : TEXCOORD2;
#ifdef USE_UV2
  float2 uv2 : TEXCOORD3;
#endif
};
VSOut vs_main(float3 p : POSITION, float3 n : NORMAL, float2 uv : TEXCOORD0, float2 uv2 : TEXCOORD1) {
  VSOut o;
  o.pos = mul(float4(p, 1), WorldViewProjection);
  o.worldPos = mul(float4(p, 1), World).xyz;
  o.normal = mul(n, (float3x3)World);
  o.uv = uv;
#ifdef USE_UV2
  o.uv2 = uv2;
#endif
  return o;
}
)";

constexpr const char* kSurfacePixel = R"(
sampler2D ColorMap : register(s0);
sampler2D NormalMap;
float3 LightDir : LightDirection;
float4 BaseColor;
float Glossiness;
struct Light { float3 Color; float3 Position; float InvRadiusSqr; };
Light Lights[4];
float4 ps_main(float2 uv : TEXCOORD0, float3 normal : TEXCOORD1, float3 worldPos : TEXCOORD2) : COLOR {
  float3 n = normalize(normal);
#ifdef USE_NORMAL_MAP
  n = normalize(n + tex2D(NormalMap, uv).xyz * 2 - 1);
#endif
  float3 lit = saturate(dot(n, -LightDir)) * BaseColor.rgb;
  for (int i = 0; i < 4; ++i) {
    float3 d = Lights[i].Position - worldPos;
    lit += Lights[i].Color * saturate(dot(n, normalize(d))) * saturate(1 - dot(d, d) * Lights[i].InvRadiusSqr);
  }
#ifdef USE_TEX_COLOR
  lit *= tex2D(ColorMap, uv).rgb;
#endif
  return float4(lit * (1 + Glossiness), BaseColor.a);
}
)";

const tk::ShaderMacroList kVariants[] = {
    {},
    {{"USE_TEX_COLOR", ""}},
    {{"USE_NORMAL_MAP", ""}},
    {{"USE_TEX_COLOR", ""}, {"USE_UV2", "1"}},
    {{"USE_NORMAL_MAP", ""}, {"USE_TEX_COLOR", ""}, {"USE_UV2", "1"}},
};

struct BenchFolder {
  BenchFolder() {
    std::string pattern = (fs::temp_directory_path() / "tesk-shader-bench-XXXXXX").string();
    root = mkdtemp(pattern.data());
    vertexPath = root + "/shadersSURF/surface_vs.hlsl";
    pixelPath = root + "/shadersSURF/surface_ps.hlsl";
    fs::create_directories(root + "/shadersSURF");
    std::ofstream(vertexPath) << kSurfaceVertex;
    std::ofstream(pixelPath) << kSurfacePixel;
    tk::missingShaderCompilerLibrary();
    device = irr::createDevice(irr::video::EDT_NULL);
  }
  ~BenchFolder() {
    device->drop();
    fs::remove_all(root);
  }
  std::string cache() const { return root + "/shadersCache"; }

  // Gets the material of every variant; the number of translations it took.
  int getAllVariants() {
    tk::CTkGPUProgrammingServices services(device->getVideoDriver());
    services.setShaderCache(cache(), tk::kShaderCacheRead | tk::kShaderCacheCheckDates | tk::kShaderCacheWrite);
    for (const tk::ShaderMacroList& macros : kVariants) {
      tk::SShaderMaterialRequest request;
      request.vertexPath = vertexPath;
      request.vertexEntry = "vs_main";
      request.pixelPath = pixelPath;
      request.pixelEntry = "ps_main";
      request.macros = macros;
      if (services.getShaderMaterial(request) < 0) return -1;
    }
    return services.translationCount();
  }

  std::string root, vertexPath, pixelPath;
  irr::IrrlichtDevice* device = nullptr;
};

void BM_TranslateVariant(benchmark::State& state) {
  BenchFolder folder;
  const tk::ShaderMacroList& macros = kVariants[state.range(0)];
  for (auto _ : state) {
    for (bool vertex : {true, false}) {
      tk::ShaderCompileRequest request{vertex, vertex ? folder.vertexPath : folder.pixelPath,
                                       vertex ? "vs_main" : "ps_main", macros};
      tk::ShaderTranslation translation;
      if (!tk::translateHlsl(request, vertex ? kSurfaceVertex : kSurfacePixel, &translation))
        state.SkipWithError(translation.error.c_str());
      benchmark::DoNotOptimize(translation.shader.glsl.data());
    }
  }
}
BENCHMARK(BM_TranslateVariant)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void BM_ColdCache(benchmark::State& state) {
  BenchFolder folder;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(folder.cache());
    state.ResumeTiming();
    if (folder.getAllVariants() != 10) state.SkipWithError("a cold start must translate every shader");
  }
}
BENCHMARK(BM_ColdCache)->Unit(benchmark::kMillisecond);

void BM_WarmCache(benchmark::State& state) {
  BenchFolder folder;
  folder.getAllVariants();
  for (auto _ : state) {
    if (folder.getAllVariants() != 0) state.SkipWithError("a warm start must translate nothing");
  }
}
BENCHMARK(BM_WarmCache)->Unit(benchmark::kMillisecond);

}  // namespace
