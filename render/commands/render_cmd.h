#pragma once
// One command of a command renderer: its texture slots, its set-up from a
// command description and its execution against the frame's context.

#include <irrlicht.h>

#include <string>
#include <vector>

#include "render/commands/render_cmd_desc.h"
#include "render/flip_flop_sets.h"

namespace tk {

class CTkRenderServices;
class CTkRendererCtxAdv;
class ITkLastFrameInfo;
class ITkVideoDriverExt;
class RenderTargetRegistry;
struct STkRenderSettings;

using NodeList = std::vector<irr::scene::ISceneNode*>;

// The six node lists a frame refills before its commands run.
enum RenderListIndex { kListAllVisible = 0, kListSolid, kListTransparent, kListTransparentEffect, kListShadowCasters,
                       kListLights, kNodeListCount };

// What a command sees while it runs.
struct STkCmdExecContext {
  irr::video::IVideoDriver* driver = nullptr;
  irr::scene::ISceneManager* scene = nullptr;
  ITkVideoDriverExt* videoDriverExt = nullptr;
  irr::u32 timeMs = 0;  // the engine's current time
  const ITkLastFrameInfo* lastFrame = nullptr;
  CTkRendererCtxAdv* context = nullptr;
  CTkRenderServices* services = nullptr;
  irr::video::ITexture* display = nullptr;  // none: the screen
  bool baking = false;
  bool cameraCut = false;
  irr::u32 backgroundColor = 0;
  const STkRenderSettings* settings = nullptr;
  const NodeList* lists[kNodeListCount] = {};
};

// What set-up needs besides the description.
struct STkCmdSetupContext {
  const RenderTargetRegistry* textures = nullptr;
  FlipFlopTable* flipFlops = nullptr;
};

// A connection of a command as set up: the frame's display target, a member
// of a flip-flop set, or one texture found once.
struct STkTextureSlot {
  enum class Kind { Display, FlipFlop, Fixed };
  std::string name;
  std::string reference;
  Kind kind = Kind::Fixed;
  FlipFlopSet* set = nullptr;
  int phase = 0;
  irr::video::ITexture* texture = nullptr;

  irr::video::ITexture* resolve(const STkCmdExecContext& ctx) const;
  bool sharesSetWith(const STkTextureSlot* other) const { return other && set && other->set == set; }
};

class CTkRenderCmd {
 public:
  virtual ~CTkRenderCmd() = default;
  CTkRenderCmd() = default;
  CTkRenderCmd(const CTkRenderCmd&) = delete;
  CTkRenderCmd& operator=(const CTkRenderCmd&) = delete;

  // Reads the description; false after logging why the command cannot run.
  bool setup(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx);
  virtual void execute(STkCmdExecContext& ctx) = 0;

  const std::string& name() const { return name_; }
  const std::string& type() const { return type_; }
  bool disabledWhenBaking() const { return disabledWhenBaking_; }

 protected:
  // The type's own part of set-up, after the common part.
  virtual bool setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) = 0;

  // Resolves one connection into a slot; false after logging.
  bool makeSlot(const RenderConnection& connection, bool output, const STkCmdSetupContext& ctx,
                STkTextureSlot* slot) const;
  // Every connection of the list, in order; false at the first that fails.
  bool makeSlots(const std::vector<RenderConnection>& connections, bool output, const STkCmdSetupContext& ctx,
                 std::vector<STkTextureSlot>* slots) const;
  // The input slot of that name among `slots`, or null.
  static const STkTextureSlot* slotNamed(const std::vector<STkTextureSlot>& slots, const char* name);
  bool requireInput(const std::vector<STkTextureSlot>& inputs) const;
  bool requireOutput(const std::vector<STkTextureSlot>& outputs) const;

  // Resolves `input`, advances the set it shares with `output` (if any) and
  // resolves `output`: the command reads the current member and writes the
  // next one.
  static void resolvePair(const STkTextureSlot* input, const STkTextureSlot* output, const STkCmdExecContext& ctx,
                          irr::video::ITexture** in, irr::video::ITexture** out);
  // Copies `source` over `target` (none = the screen).
  static void copy(const STkCmdExecContext& ctx, irr::video::ITexture* source, irr::video::ITexture* target);
  // A pass-through: nothing when input and output are one set, else a copy.
  static void passThrough(const STkCmdExecContext& ctx, const STkTextureSlot* input, const STkTextureSlot* output);

  std::string name_;
  std::string type_;
  bool disabledWhenBaking_ = false;
};

}  // namespace tk
