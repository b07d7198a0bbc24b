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
  return p->isText ? atoi(p->text.c_str()) : static_cast<int>(p->number);
}

std::string STkRenderCommandRecord::text(const std::string& parameterName) const {
  const RenderParameter* p = parameter(parameterName);
  if (!p) return "";
  return p->isText ? p->text : std::to_string(p->number);
}

}  // namespace tk
