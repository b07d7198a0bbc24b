#pragma once
// Commands on camera effects: full-screen effects run after the scene is
// drawn, in the order in which they were switched on. Failures are reported
// through the last-error slot with the codes given.

#include <vector>

#include "api/effect_values.h"

namespace tk {

class CTkEffect;

// An entry of the camera effects table.
struct CTkCameraShaderItem {
  CTkEffect* effect = nullptr;  // one counted reference
  bool enabled = false;
  int priority = 0;  // kept for scripts; the running order is the switching-on order
};

int MakeCameraEffect(int id, int effectId);
int MakeCameraEffectFromFile(int id, const char* file);
bool CameraEffectExist(int id);
void DeleteCameraEffect(int id);
void ShowCameraEffect(int id);
void HideCameraEffect(int id);
void SetCameraEffectPriority(int id, int priority);

// Compiles camera effect `id` from the file (through the file resolver) with
// the macros of a compile-flag text; 0, or -1 after reporting.
int makeCameraEffectFromFile(int id, const char* file, const char* compileFlags);
// Applies effect values to the camera effect's effect; 0, or -1 after reporting.
int applyCameraEffectValues(int id, const EffectValues& values, bool withTextures);

// The IDs of the enabled camera effects, in the order they were switched on.
const std::vector<int>& enabledCameraEffects();
// Their effects in that order, for the renderer's post chain.
std::vector<CTkEffect*> enabledCameraEffectList();

// Deletes every camera effect.
void deleteAllCameraEffects();
// Deletes every camera effect, then every effect (engine shutdown).
void deleteAllEffectItems();

}  // namespace tk
