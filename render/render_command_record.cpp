#include "render/render_command_record.h"

#include <cstdlib>

namespace tk {

const RenderParameter* STkRenderCommandRecord::parameter(const std::string& parameterName) const {
  for (const RenderParameter& p : parameters)
    if (p.name == parameterName) return &p;
  return nullptr;
}

int STkRenderCommandRecord::integer(const std::string& parameterName) const {
  const RenderParameter* p = parameter(parameterName);
  if (!p) return -1;
  switch (p->kind) {
    case RP_TEXT: return atoi(p->text.c_str());
    case RP_FLOAT:
    case RP_VECTOR: return static_cast<int>(p->vector[0]);
    default: return p->integer;
  }
}

std::string STkRenderCommandRecord::text(const std::string& parameterName) const {
  const RenderParameter* p = parameter(parameterName);
  if (!p) return "";
  return p->kind == RP_TEXT ? p->text : std::to_string(integer(parameterName));
}

}  // namespace tk
