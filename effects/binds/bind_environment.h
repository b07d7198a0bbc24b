#pragma once
// What the engine's binds read their values from. Members may be null where a
// part of the engine is absent (a bind then answers its semantics with zeros
// or leaves them unchanged, as each one documents).

#include <irrlicht.h>

#include <vector>

#include "effects/binds/effect_bind.h"
#include "effects/binds/engine_state_views.h"

namespace tk {

class ITkNodeExtensionLookup;
class ITkShadowSettingsLookup;
struct InputState;

struct STkBindEnvironment {
  irr::IrrlichtDevice* device = nullptr;
  ITkSceneStateView* sceneManager = nullptr;
  ITkBlendFactorState* videoDriverExt = nullptr;
  const ITkFrameHistoryView* lastFrame = nullptr;
  const InputState* input = nullptr;
  ITkNodeExtensionLookup* nodeExtensions = nullptr;
  // Shadow cameras of lights; without it they use the default settings.
  const ITkShadowSettingsLookup* shadowSettings = nullptr;
};

// A bind that computes its values from the engine's state.
class CTkEnvironmentBind : public ITkEffectBind {
 public:
  explicit CTkEnvironmentBind(const STkBindEnvironment& environment) : environment_(environment) {}

 protected:
  STkBindEnvironment environment_;
};

// The engine's binds in list order, front first (the default bind last); the
// caller owns one reference to each.
std::vector<ITkEffectBind*> createEngineBinds(const STkBindEnvironment& environment);

}  // namespace tk
