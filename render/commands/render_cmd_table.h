#pragma once
// The command types a list may hold: type string -> command class.

#include <memory>

#include "render/commands/render_cmd.h"

namespace tk {

// The type string of scene textures, made before the renderer is built.
constexpr const char* kCreateTextureCmd = "Create Texture";

// A new command of that type (exact, case-sensitive), or null for an unknown one.
std::unique_ptr<CTkRenderCmd> createRenderCmd(const std::string& type);

}  // namespace tk
