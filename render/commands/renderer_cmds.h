#pragma once
// The command renderer: a scene's own frame, drawn as its list of render
// commands once per frame.

#include <irrlicht.h>

#include <memory>
#include <string>
#include <vector>

#include "render/commands/render_cmd.h"
#include "render/frame_start.h"
#include "render/render_services.h"
#include "render/renderer.h"

namespace tk {

class CTkSceneManager;
class CTkRendererCtxAdv;
class ITkLastFrameInfo;
class ITkVideoDriverExt;
class RenderTargetRegistry;

struct STkRendererCmdsSetup {
  irr::IrrlichtDevice* device = nullptr;
  CTkRendererCtxAdv* context = nullptr;
  CTkRenderServices* services = nullptr;
  ITkVideoDriverExt* videoDriverExt = nullptr;
  const CTkSceneManager* sceneManager = nullptr;  // the engine's current time
  const ITkLastFrameInfo* lastFrame = nullptr;
  const RenderTargetRegistry* textures = nullptr;
};

class CTkRendererCmds : public ITkRenderer {
 public:
  explicit CTkRendererCmds(const STkRendererCmdsSetup& setup);
  ~CTkRendererCmds() override;

  // Builds the commands; false after logging. A second call is refused.
  bool init(const std::vector<std::string>& effectFiles, const std::vector<STkRenderCmdDesc>& commands);
  void render(irr::video::ITexture* display) override;
  // The light pre-pass renderer's answer ("CTkRendererCmds" in its message).
  bool getMaterialEffect(std::string* file, ShaderMacroList* macros, int* capacity, int materialType) override;

  // Thumbnails of the intermediate targets, at the top left of the screen.
  void drawDebugView();
  // The texture stretched over the rectangle of the current target.
  void drawTexture(irr::video::ITexture* texture, int x, int y, int width, int height);

  size_t commandCount() const { return commands_.size(); }
  FlipFlopTable& flipFlops() { return flipFlops_; }

 private:
  bool findTargets();
  bool createCommands(const std::vector<STkRenderCmdDesc>& commands);
  void keepRotations(const std::vector<STkRenderCmdDesc>& commands);
  // The command lists point at the frame's lists, refilled at its start.
  void pointListsAtFrame();
  STkCmdExecContext frameContext(irr::video::ITexture* display);

  STkRendererCmdsSetup setup_;
  std::vector<std::string> effectFiles_;
  std::vector<irr::video::ITexture*> targets_;
  std::vector<std::unique_ptr<CTkRenderCmd>> commands_;
  FlipFlopTable flipFlops_;
  CTkFrameLists frame_;
  const NodeList* lists_[kNodeListCount] = {};
  bool initialised_ = false;
};

}  // namespace tk
