#pragma once
// Glow: what surfaces mark as glowing (colour times alpha) blurred through a
// pyramid of half- to thirty-second-screen targets, each level blurred a
// little and added onto the one above, optionally with light streaks, and
// the result added onto the frame.

#include <irrlicht.h>

#include <string>
#include <vector>

#include "render/post/post_effect.h"

namespace tk {

class CTkPostBlur;
class CTkPostCompose;
class CTkPostDownSample;
class CTkPostLightStreaks;
struct STkRenderSettings;

// How far the pyramid reaches for a glow radius: `size` is the blur of the
// half-screen level in screen pixels (each smaller level blurs twice as far
// on the screen), `level1`..`level3` the weights of the eighth-, sixteenth-
// and thirty-second-screen levels (0: the level is not used). A radius that
// is not a finite number counts as 0.
struct STkGlowLevels {
  float size = 0;
  float level1 = 0, level2 = 0, level3 = 0;
};
STkGlowLevels glowLevels(float radius);

// The targets the glow works in; each level's [1] holds its result, [0] is
// its blur's work target.
struct STkGlowTargets {
  irr::video::ITexture* half[2] = {};
  irr::video::ITexture* quarter[2] = {};
  irr::video::ITexture* eighth[2] = {};
  irr::video::ITexture* sixteenth[2] = {};
  irr::video::ITexture* thirtySecond[2] = {};
};

// The steps the glow borrows; they must outlive it.
struct STkGlowSteps {
  CTkPostBlur* blur = nullptr;
  CTkPostDownSample* downSample = nullptr;
  CTkPostCompose* compose = nullptr;
  CTkPostLightStreaks* streaks = nullptr;
};

class CTkPostGlow {
 public:
  // The mask effect; false after logging "CTkPostGlow failed to load <file>".
  bool load(CTkEffectManager* effects, CTkRenderServices* services, const std::string& maskFile,
            const STkGlowSteps& steps, const STkGlowTargets& targets);
  // The glow of `input` added onto `target` with `intensity`; with
  // `streaks`, the light streaks of `input` (threshold, angle and the rest
  // from `settings`) are added to the glow. `input` may be any target but
  // the glow's own work targets; the half-screen result target is copied
  // aside first.
  void render(irr::video::ITexture* target, irr::video::ITexture* input, float radius, float intensity, bool streaks,
              const STkRenderSettings& settings);

 private:
  void buildPyramid(const STkGlowLevels& levels);

  CTkPostEffect mask_;
  CTkRenderServices* services_ = nullptr;
  STkGlowSteps steps_;
  STkGlowTargets targets_;
};

}  // namespace tk
