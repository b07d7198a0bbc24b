#pragma once
// The last bind of every list: it answers any bool, int, float to float4 and
// float4x4 constant of a vertex or pixel shader with the effect's stored value
// of the parameter, so values set through the effect reach the shader.

#include "effects/binds/effect_bind.h"

namespace tk {

class CTkEffectBind : public ITkEffectBind {
 public:
  STkBindResult getBindFunction(const STkFxConstBind& constant, int privateData[2]) override;
};

}  // namespace tk
