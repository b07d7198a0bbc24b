#pragma once
// Commands on command renderers addressed by ID: a scene's own frame, built
// from its render command list, made current while the scene is shown.

#include <vector>

#include "render/render_command_record.h"

namespace tk {

class ITkRenderer;

// An entry of the renderers table: one counted reference to the renderer.
struct CTkRendererItem {
  int id = -1;
  ITkRenderer* renderer = nullptr;
};

// Makes the textures of the list's "Create Texture" commands; false after
// logging when one cannot be made.
bool tkCreateRendererTextures(const std::vector<STkRenderCommandRecord>& commands);
// Builds a command renderer under `id` from the list; its effect parameters
// name effects `effectBase` + index, its light parameters lights `lightBase`
// + index. 0, or -1 after logging, with the ID left free.
int tkCreateRenderer(int id, int effectBase, int lightBase, const std::vector<STkRenderCommandRecord>& commands);
// Makes the renderer under the ID current; an ID without one changes nothing.
void tkSetRenderer(int id);
void tkSetDefaultRenderer();
// Releases the renderer (the default becomes current when it was) and frees the ID.
void tkDeleteRenderer(int id);
bool tkRendererExist(int id);
// The renderer under the ID, or null.
ITkRenderer* getRenderer(int id);

// Deletes every renderer of the table (engine shutdown).
void deleteAllRenderers();

}  // namespace tk
