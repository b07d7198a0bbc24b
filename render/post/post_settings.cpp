#include "render/post/post_settings.h"

#include "effects/binds/semantic_map_bind.h"
#include "effects/definitions/effect_def.h"
#include "render/engine.h"

namespace tk {
namespace {

const char* const kSemantics[] = {"BloomThreshold", "BloomIntensity",   "GlowSurfaceIntensity", "FocalDistance",
                                  "FStop",          "DofFocalRangeMin", "DofFocalRangeFocused", "DofFocalRangeMax"};

// Bloom's threshold while bloom is off: above any colour a frame holds.
constexpr float kBloomOffThreshold = 100000.0f;

}  // namespace

STkRenderSettings refreshedRenderSettings(const STkRenderSettings& engine, const STkCameraValues& camera,
                                          int colorSpaceViewer, bool baking) {
  STkRenderSettings s = engine;
  s.dofEnable = camera.dofEnable ? 1 : 0;
  s.focalDistance = camera.dofFocalDistance;
  s.fStop = camera.dofFStop;
  s.advancedDofEnable = camera.advancedDofEnable ? 1 : 0;
  s.dofFocalRangeMin = camera.advancedDofMinFocus;
  s.dofFocalRangeMax = camera.advancedDofMaxFocus;
  s.dofFocalRangeFocused = camera.advancedDofFocused;
  s.dofRadiusScale = camera.advancedDofRadiusScale;
  s.colorSpaceViewer = colorSpaceViewer;
  s.baking = baking;
  if (baking) {
    s.glowEnable = 0;
    s.streakEnable = 0;
    s.colorSpaceViewer = 0;
  }
  return s;
}

bool declarePostSemantics(ITkEffectBindSemanticMap* map) {
  if (!map) return false;
  for (const char* name : kSemantics)
    if (!map->addSemantic(name, kParamFloat)) return false;
  return true;
}

void refreshPostSemantics(ITkEffectBindSemanticMap* map, const STkRenderSettings& s) {
  if (!map) return;
  const bool bloom = s.bloomEnable != 0;
  const float values[] = {bloom ? s.bloomThreshold : kBloomOffThreshold,
                          bloom ? s.bloomIntensity : 0.0f,
                          s.glowSurfaceIntensity,
                          s.focalDistance,
                          s.fStop,
                          s.dofFocalRangeMin,
                          s.dofFocalRangeFocused,
                          s.dofFocalRangeMax};
  static_assert(sizeof(values) / sizeof(values[0]) == sizeof(kSemantics) / sizeof(kSemantics[0]));
  for (size_t i = 0; i < sizeof(values) / sizeof(values[0]); ++i) map->setFloat(kSemantics[i], values[i]);
}

}  // namespace tk
