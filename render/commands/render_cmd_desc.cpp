#include "render/commands/render_cmd_desc.h"

namespace tk {

const STkRenderCmdParam* STkRenderCmdDesc::parameter(const std::string& parameterName) const {
  for (const STkRenderCmdParam& p : parameters)
    if (p.name == parameterName) return &p;
  return nullptr;
}

int STkRenderCmdDesc::integer(const std::string& parameterName, int fallback) const {
  const STkRenderCmdParam* p = parameter(parameterName);
  if (!p) return fallback;
  if (p->kind == RP_FLOAT || p->kind == RP_VECTOR) return static_cast<int>(p->vector[0]);
  return p->kind == RP_INTEGER ? p->integer : fallback;
}

float STkRenderCmdDesc::number(const std::string& parameterName, float fallback) const {
  const STkRenderCmdParam* p = parameter(parameterName);
  if (!p) return fallback;
  if (p->kind == RP_FLOAT || p->kind == RP_VECTOR) return p->vector[0];
  return p->kind == RP_INTEGER ? static_cast<float>(p->integer) : fallback;
}

std::string STkRenderCmdDesc::text(const std::string& parameterName) const {
  const STkRenderCmdParam* p = parameter(parameterName);
  return p && p->kind == RP_TEXT ? p->text : std::string();
}

CTkEffect* STkRenderCmdDesc::effect(const std::string& parameterName) const {
  const STkRenderCmdParam* p = parameter(parameterName);
  return p && p->kind == RP_EFFECT ? p->effect : nullptr;
}

irr::scene::ILightSceneNode* STkRenderCmdDesc::light(const std::string& parameterName) const {
  const STkRenderCmdParam* p = parameter(parameterName);
  return p && p->kind == RP_LIGHT ? p->light : nullptr;
}

}  // namespace tk
