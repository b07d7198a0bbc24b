#pragma once
// The render settings the post-processing components read in a frame, made
// from the engine's values before the frame, and the named values (bind
// semantics) surface effects read from them.

#include "render/render_settings.h"

namespace tk {

class ITkEffectBindSemanticMap;
struct STkCameraValues;

// The frame's record: the engine's values (scene channels and commands),
// the render camera's depth of field and the scene's colour-space viewer. A
// baking frame (the faces of a cube map) gets neither glow, light streaks
// nor colour-space conversion.
STkRenderSettings refreshedRenderSettings(const STkRenderSettings& engine, const STkCameraValues& camera,
                                          int colorSpaceViewer, bool baking);

// The eight float semantics: BloomThreshold, BloomIntensity,
// GlowSurfaceIntensity, FocalDistance, FStop, DofFocalRangeMin,
// DofFocalRangeFocused, DofFocalRangeMax. False when one cannot be declared.
bool declarePostSemantics(ITkEffectBindSemanticMap* map);
// Bloom off reads threshold 100000 and intensity 0, whatever the channels hold.
void refreshPostSemantics(ITkEffectBindSemanticMap* map, const STkRenderSettings& settings);

}  // namespace tk
