#include "render/loading/loading_shader.h"

#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/device_state_codes.h"
#include "render/engine.h"
#include "render/tk_manager.h"

namespace tk {
namespace {

constexpr const char* kBuiltInName = "<builtin>/Loading.hlsl";

// Bar coordinates: the pixel's place around the screen centre, in widths,
// scaled by 1.5; each bar is this place turned by 45 degrees one way or the other.
constexpr const char* kBuiltInSource = R"(
float2 resolution;
float progress;
float4 vs_main(float4 position : POSITION) : POSITION { return position; }
float3 barColour(float2 q, float3 fillColour) {
  float ax = abs(q.x), ay = abs(q.y);
  bool outline = ax < 0.255 && ay < 0.04 && !(ax < 0.245 && ay < 0.03) && !(ax < 0.03);
  bool fill = ax > 0 && ax < 0.235 && ay < 0.02 && ax < progress * 0.224 + 0.018;
  if (outline) return float3(1, 1, 1);
  if (fill) return fillColour;
  return float3(0, 0, 0);
}
float4 ps_main(float2 pixel : VPOS) : COLOR {
  float2 p = pixel / resolution - 0.5;
  p.y *= resolution.y / resolution.x;
  p *= 1.5;
  const float c = 0.70710678;
  float3 fillColour = lerp(float3(0.2, 0.5, 0.8), float3(1, 1, 1), saturate(pow(saturate(progress), 5)));
  float3 colour = max(barColour(float2(c * p.x - c * p.y, c * p.x + c * p.y), fillColour),
                      barColour(float2(c * p.x + c * p.y, -c * p.x + c * p.y), fillColour));
  colour *= min(1, progress);
  if (progress > 1) colour *= 1 - max(0, min((progress - 1) * 5, 1));
  return float4(colour, 1);
}
)";

}  // namespace

class LoadingShader::Constants : public irr::video::IShaderConstantSetCallBack {
 public:
  void OnSetConstants(irr::video::IMaterialRendererServices* services, irr::s32) override {
    services->setPixelShaderConstant("resolution", resolution, 2);
    services->setPixelShaderConstant("progress", &progress, 1);
  }
  float resolution[2] = {1, 1};
  float progress = 0;
};

LoadingShader::~LoadingShader() { forget(); }

bool LoadingShader::prepare() {
  if (prepared_) return materialType_ >= 0;
  prepared_ = true;
  STkEngine& engine = tkEngine();
  if (!engine.driver || engine.driver->getDriverType() != irr::video::EDT_OPENGL || !engine.manager) return false;
  CTkGPUProgrammingServices* shaders = engine.manager->getGPUProgrammingServices();
  constants_ = new Constants();
  std::string error;
  materialType_ = fileExists("loading.hlsl")
                      ? shaders->getShaderModel3Material("loading.hlsl", constants_, &error)
                      : shaders->getBuiltInShaderMaterial(kBuiltInName, kBuiltInSource, constants_, &error);
  if (materialType_ < 0) log(LOG_ERROR, "loading screen shader: %s", error.c_str());
  return materialType_ >= 0;
}

void LoadingShader::draw(float progress) {
  if (materialType_ < 0) return;
  irr::video::IVideoDriver* driver = tkEngine().driver;
  const irr::core::dimension2du size = driver->getScreenSize();
  constants_->resolution[0] = static_cast<float>(size.Width);
  constants_->resolution[1] = static_cast<float>(size.Height);
  constants_->progress = progress;
  STkMaterial material;
  material.base.MaterialType = static_cast<irr::video::E_MATERIAL_TYPE>(materialType_);
  material.base.ZBuffer = kCompareAlways;
  material.base.ZWriteEnable = false;
  tkEngine().manager->getRenderServices()->drawMaterialQuad(&material);
}

void LoadingShader::forget() {
  if (constants_) constants_->drop();
  constants_ = nullptr;
  materialType_ = -1;
  prepared_ = false;
}

}  // namespace tk
