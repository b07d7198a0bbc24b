#include "render/post/post_glow.h"

#include <algorithm>
#include <cmath>

#include "base/log.h"
#include "render/post/post_blur.h"
#include "render/post/post_light_streaks.h"
#include "render/render_services.h"

namespace tk {
STkGlowLevels glowLevels(float radius) {
  STkGlowLevels levels;
  if (!std::isfinite(radius)) radius = 0;
  levels.size = radius * 2.0f * 0.0625f;
  const float reach = levels.size * 0.5f;
  levels.level1 = std::clamp(reach - 1.0f, 0.0f, 1.0f);
  levels.level2 = std::clamp(reach - 1.5f, 0.0f, 1.0f);
  levels.level3 = std::clamp(reach - 2.0f, 0.0f, 1.0f);
  return levels;
}

bool CTkPostGlow::load(CTkEffectManager* effects, CTkRenderServices* services, const std::string& maskFile,
                       const STkGlowSteps& steps, const STkGlowTargets& targets) {
  services_ = services;
  steps_ = steps;
  targets_ = targets;
  if (mask_.load(effects, services, maskFile)) return true;
  log(LOG_ERROR, "CTkPostGlow failed to load %s", maskFile.c_str());
  return false;
}

void CTkPostGlow::render(irr::video::ITexture* target, irr::video::ITexture* input, float radius, float intensity,
                         bool streaks, const STkRenderSettings& settings) {
  if (!mask_.loaded() || !input || !steps_.blur || !steps_.downSample || !steps_.compose) return;
  irr::video::ITexture* const result = targets_.half[1];
  irr::video::ITexture* source = input;
  bool streaksAdded = false;
  if (input == result) {
    // The mask is drawn into this very target: work from a copy instead. The
    // copy does not last until the streaks' turn, so they go first, straight
    // onto the target with the glow's intensity.
    log(LOG_ERROR, "CTkPostGlow error: Half Source cannot be set to Texture Half [1]");
    source = targets_.half[0];
    services_->copyTextureInto(source, input);
    if (streaks && steps_.streaks) {
      steps_.streaks->render(target, source, targets_.quarter[0], targets_.quarter[1], settings, intensity);
      streaksAdded = true;
    }
  }
  mask_.draw(result, source);
  buildPyramid(glowLevels(radius));
  if (streaks && steps_.streaks && !streaksAdded)
    steps_.streaks->render(result, input, targets_.quarter[0], targets_.quarter[1], settings);
  steps_.compose->render(target, result, intensity);
}

// Down from the mask in the half-screen result through as many levels as the
// radius reaches, each level blurred, then every level added onto the one
// above it. A level's blur size is in screen pixels, so every level blurs
// the same number of its own texels.
void CTkPostGlow::buildPyramid(const STkGlowLevels& levels) {
  struct Level {
    irr::video::ITexture* const* targets;
    float weight;
    float scale;
  };
  const Level pyramid[] = {
      {targets_.half, 1.0f, 1.0f},
      {targets_.quarter, 1.0f, 2.0f},
      {targets_.eighth, levels.level1, 4.0f},
      {targets_.sixteenth, levels.level2, 8.0f},
      {targets_.thirtySecond, levels.level3, 16.0f},
  };
  constexpr int kLevels = static_cast<int>(sizeof pyramid / sizeof pyramid[0]);
  // The levels used run from the top without a gap: a level's weight is 0
  // whenever the one above it is.
  int used = 0;
  while (used < kLevels && pyramid[used].weight != 0.0f) ++used;

  for (int level = 1; level < used; ++level)
    steps_.downSample->render(pyramid[level].targets[1], pyramid[level - 1].targets[1]);
  for (int level = used - 1; level >= 0; --level)
    steps_.blur->blur(pyramid[level].targets[1], pyramid[level].targets[0], levels.size * pyramid[level].scale,
                      pyramid[level].weight);
  for (int level = used - 1; level >= 1; --level)
    steps_.compose->render(pyramid[level - 1].targets[1], pyramid[level].targets[1], 1.0f);
}

}  // namespace tk
