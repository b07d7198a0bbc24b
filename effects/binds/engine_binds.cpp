#include "effects/binds/bind_environment.h"
#include "effects/binds/camera_bind.h"
#include "effects/binds/default_bind.h"
#include "effects/binds/event_bind.h"
#include "effects/binds/last_frame_bind.h"
#include "effects/binds/light_binds.h"
#include "effects/binds/lightwave_binds.h"
#include "effects/binds/material_bind.h"
#include "effects/binds/node_ext_bind.h"
#include "effects/binds/object_bind.h"
#include "effects/binds/screen_bind.h"
#include "effects/binds/time_bind.h"
#include "effects/binds/transform_bind.h"

namespace tk {

std::vector<ITkEffectBind*> createEngineBinds(const STkBindEnvironment& environment) {
  // Front first: a semantic goes to the first bind that answers it, and the
  // default bind, which answers every value constant, comes last.
  return {
      new CTkEffectBindTransform(environment),
      new CTkEffectBindTime(environment),
      new CTkEffectBindScreen(environment),
      new CTkEffectBindLightwave(environment),
      new CTkEffectBindLightwaveHV(environment),
      new CTkEffectBindLightParams(environment),
      new CTkEffectBindLight(environment),
      new CTkEffectBindCamera(environment),
      new CTkEffectBindNodeExt(environment),
      new CTkEffectBindLastFrameInfo(environment),
      new CTkEffectBindObject(environment),
      new CTkEffectBindMaterial(environment),
      new CTkEffectBindEvent(environment),
      new CTkEffectBind(),
  };
}

}  // namespace tk
