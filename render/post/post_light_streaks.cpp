#include "render/post/post_light_streaks.h"

#include <cmath>

#include "render/post/post_blur.h"
#include "render/render_settings.h"

namespace tk {
namespace {

constexpr int kStreakPasses = 8;

}  // namespace

bool CTkPostLightStreaks::load(CTkEffectManager* effects, CTkRenderServices* services,
                               const std::string& maxIntensityFile, const std::string& drawFile,
                               CTkPostCompose* compose) {
  compose_ = compose;
  return maxIntensity_.load(effects, services, maxIntensityFile) && draw_.load(effects, services, drawFile);
}

void CTkPostLightStreaks::render(irr::video::ITexture* target, irr::video::ITexture* input,
                                 irr::video::ITexture* workA, irr::video::ITexture* workB,
                                 const STkRenderSettings& settings, float scale) {
  maxIntensity_.setFloat("Threshold", settings.streakThreshold);
  maxIntensity_.draw(workB, input);

  const float angle = settings.streakAngle * irr::core::DEGTORAD;
  float directionX = std::cos(angle), directionY = std::sin(angle);
  draw_.setFloat3("colorize", settings.streakTint);
  draw_.setFloat("attenuation", 1.0f - settings.streakAttenuation * 0.1f);
  // Four passes along the direction, four against it, each reading the
  // target the one before wrote; the last writes B.
  for (int pass = 0; pass < kStreakPasses; ++pass) {
    if (pass == kStreakPasses / 2) {
      directionX = -directionX;
      directionY = -directionY;
    }
    draw_.setFloat2("direction", directionX, directionY);
    draw_.setFloat("passn", static_cast<float>(pass < kStreakPasses / 2 ? pass + 1 : pass - 3));
    const bool even = pass % 2 == 0;
    draw_.draw(even ? workA : workB, even ? workB : workA);
  }
  if (compose_) compose_->render(target, workB, settings.streakIntensity * 0.1f * scale);
}

}  // namespace tk
