#include "render/commands/render_cmd_table.h"

#include <cstring>

#include "render/commands/render_cmd_types.h"

namespace tk {
namespace {

template <typename Command>
std::unique_ptr<CTkRenderCmd> make() {
  return std::make_unique<Command>();
}

struct CommandType {
  const char* name;
  std::unique_ptr<CTkRenderCmd> (*create)();
};

constexpr CommandType kCommandTypes[] = {
    {"Clear", make<CTkRenderCmd_Clear>},
    {"Shader", make<CTkRenderCmd_Shader>},
    {"Render Objects", make<CTkRenderCmd_RenderObjects>},
    {"Gamma", make<CTkRenderCmd_Gamma>},
    {"DownSample", make<CTkRenderCmd_DownSample>},
    {"Glow", make<CTkRenderCmd_Glow>},
    {"Depth of Field", make<CTkRenderCmd_DepthOfField>},
    {"Antialias", make<CTkRenderCmd_Antialias>},
    {"Post Processing", make<CTkRenderCmd_PostProc>},
    {"Light Pass", make<CTkRenderCmd_LightPass>},
    {"Light Volumetric", make<CTkRenderCmd_LightVolumetric>},
};

// Every entry is made by make<Command>, so only the names need checking.
constexpr bool allNamed() {
  for (const CommandType& type : kCommandTypes)
    if (!type.name || !type.name[0]) return false;
  return true;
}

constexpr bool namesDiffer(const char* a, const char* b) {
  while (*a && *a == *b) ++a, ++b;
  return *a != *b;
}

constexpr bool namesUnique() {
  const size_t count = sizeof(kCommandTypes) / sizeof(kCommandTypes[0]);
  for (size_t i = 0; i < count; ++i)
    for (size_t j = i + 1; j < count; ++j)
      if (!namesDiffer(kCommandTypes[i].name, kCommandTypes[j].name)) return false;
  return true;
}

static_assert(sizeof(kCommandTypes) / sizeof(kCommandTypes[0]) == 11, "one entry per command class");
static_assert(allNamed(), "every command type has a name");
static_assert(namesUnique(), "command type names are unique");

}  // namespace

std::unique_ptr<CTkRenderCmd> createRenderCmd(const std::string& type) {
  for (const CommandType& entry : kCommandTypes)
    if (type == entry.name) return entry.create();
  return nullptr;
}

}  // namespace tk
