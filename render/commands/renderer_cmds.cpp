#include "render/commands/renderer_cmds.h"

#include "base/log.h"
#include "render/commands/render_cmd_table.h"
#include "render/debug_view.h"
#include "render/render_services.h"
#include "render/render_target_registry.h"
#include "render/renderer_ctx_adv.h"
#include "render/tk_scene_manager.h"

namespace tk {
namespace {

const char* const kNeededTargets[] = {"DepthRTT",      "NormalRTT",     "LightRTT",         "HalfScreen[0]",
                                      "HalfScreen[1]", "HalfScreen[2]", "QuarterScreen[0]", "QuarterScreen[1]"};

}  // namespace

CTkRendererCmds::CTkRendererCmds(const STkRendererCmdsSetup& setup)
    : setup_(setup), flipFlops_([textures = setup.textures](const std::string& name) {
        return textures ? textures->findTexture(name) : nullptr;
      }) {
  if (setup_.context) setup_.context->grab();
}

CTkRendererCmds::~CTkRendererCmds() {
  commands_.clear();
  if (setup_.context) setup_.context->drop();
}

bool CTkRendererCmds::init(const std::vector<std::string>& effectFiles, const std::vector<STkRenderCmdDesc>& commands) {
  if (initialised_ || !setup_.context) return false;
  effectFiles_ = effectFiles;
  if (!findTargets()) {
    log(LOG_ERROR, "CTkRendererCmds failed to find render targets");
    return false;
  }
  if (!createCommands(commands)) return false;
  keepRotations(commands);
  initialised_ = true;
  return true;
}

bool CTkRendererCmds::findTargets() {
  targets_.clear();
  for (const char* name : kNeededTargets) {
    const RenderTargetInfo* info = setup_.textures ? setup_.textures->find(name) : nullptr;
    if (!info) return false;
    targets_.push_back(info->texture);
  }
  return true;
}

bool CTkRendererCmds::createCommands(const std::vector<STkRenderCmdDesc>& commands) {
  STkCmdSetupContext ctx;
  ctx.textures = setup_.textures;
  ctx.flipFlops = &flipFlops_;
  for (const STkRenderCmdDesc& desc : commands) {
    if (desc.cmd == kCreateTextureCmd) continue;
    std::unique_ptr<CTkRenderCmd> command = createRenderCmd(desc.cmd);
    if (!command) {
      log(LOG_ERROR, "CTkRendererCmds command '%s' is not supported", desc.cmd.c_str());
      return false;
    }
    if (!command->setup(desc, ctx)) return false;
    commands_.push_back(std::move(command));
  }
  return true;
}

void CTkRendererCmds::keepRotations(const std::vector<STkRenderCmdDesc>& commands) {
  for (const STkRenderCmdDesc& desc : commands) {
    if (desc.cmd != kCreateTextureCmd || desc.integer("DoNotReset", 0) != 1) continue;
    if (FlipFlopSet* set = flipFlops_.findSet(desc.text("Name"))) set->keepRotation = true;
  }
}

bool CTkRendererCmds::getMaterialEffect(std::string* file, ShaderMacroList* macros, int* capacity,
                                        int materialType) {
  return lightPrePassMaterialEffect("CTkRendererCmds", file, macros, capacity, materialType);
}

void CTkRendererCmds::pointListsAtFrame() {
  const STkFrameNodeLists& nodes = frame_.nodes();
  lists_[kListLights] = &nodes.lights;
  lists_[kListSolid] = &nodes.solid;
  lists_[kListTransparent] = &nodes.transparent;
  lists_[kListTransparentEffect] = &nodes.transparentEffect;
  lists_[kListAllVisible] = &nodes.visible;
  lists_[kListShadowCasters] = &frame_.shadowCasters();
}

STkCmdExecContext CTkRendererCmds::frameContext(irr::video::ITexture* display) {
  STkCmdExecContext ctx;
  ctx.driver = setup_.device->getVideoDriver();
  ctx.scene = setup_.device->getSceneManager();
  ctx.videoDriverExt = setup_.videoDriverExt;
  ctx.timeMs = setup_.sceneManager ? setup_.sceneManager->currentTime() : 0;
  ctx.lastFrame = setup_.lastFrame;
  ctx.context = setup_.context;
  ctx.services = setup_.services;
  ctx.display = display;
  ctx.backgroundColor = setup_.context->getFrameSettings().backgroundColor;
  ctx.settings = &setup_.context->getRenderSettings();
  for (int i = 0; i < kNodeListCount; ++i) ctx.lists[i] = lists_[i];
  return ctx;
}

void CTkRendererCmds::render(irr::video::ITexture* display) {
  if (!initialised_) return;
  irr::video::IVideoDriver* driver = setup_.device->getVideoDriver();
  frame_.startFrame(setup_.device, *setup_.services);
  pointListsAtFrame();
  STkCmdExecContext ctx = frameContext(display);
  ctx.cameraCut = frameIsCameraCut(setup_.lastFrame, driver->getTransform(irr::video::ETS_VIEW), !display);
  const irr::core::matrix4 projection = driver->getTransform(irr::video::ETS_PROJECTION);
  if (!display) jitterProjection(setup_.context, driver, EJitterCounter::CommandRenderers, projection);
  setup_.context->freeShadowMaps();
  for (FlipFlopSet& set : flipFlops_.sets())
    if (!set.keepRotation) set.rotation = 0;
  for (const std::unique_ptr<CTkRenderCmd>& command : commands_) command->execute(ctx);
  if (!display && setup_.context->getFrameSettings().debugView != 0) drawDebugView();
  driver->setTransform(irr::video::ETS_PROJECTION, projection);
}

void CTkRendererCmds::drawDebugView() {
  tk::drawDebugView(setup_.services, setup_.textures, setup_.context->shadowMaps());
}

void CTkRendererCmds::drawTexture(irr::video::ITexture* texture, int x, int y, int width, int height) {
  tk::drawTexture(setup_.device->getVideoDriver(), texture, x, y, width, height);
}

}  // namespace tk
