#include "render/commands/renderer_cmds.h"

#include "base/log.h"
#include "render/commands/render_cmd_table.h"
#include "render/last_frame_info.h"
#include "render/post/jitter.h"
#include "render/render_services.h"
#include "render/render_target_registry.h"
#include "render/renderer_ctx_adv.h"
#include "render/tk_scene_manager.h"

namespace tk {
namespace {

const char* const kNeededTargets[] = {"DepthRTT",      "NormalRTT",     "LightRTT",         "HalfScreen[0]",
                                      "HalfScreen[1]", "HalfScreen[2]", "QuarterScreen[0]", "QuarterScreen[1]"};

constexpr float kCutDistance = 1.0f;
constexpr float kCutDegrees = 20.0f;

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

// One walk of the scene graph per frame: the registration lists of the
// display library are private, so the services rebuild them.
void CTkRendererCmds::refillNodeLists() {
  setup_.services->collectFrameLists(&frameLists_);
  lists_[kListLights] = &frameLists_.lights;
  lists_[kListSolid] = &frameLists_.solid;
  lists_[kListTransparent] = &frameLists_.transparent;
  lists_[kListTransparentEffect] = &frameLists_.transparentEffect;
  lists_[kListAllVisible] = &frameLists_.visible;
  setup_.services->filterShadowCasters(frameLists_.visible, &shadowCasters_);
  lists_[kListShadowCasters] = &shadowCasters_;
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
  irr::scene::ISceneManager* scene = setup_.device->getSceneManager();
  irr::video::IVideoDriver* driver = setup_.device->getVideoDriver();
  // As the display library's own frame does: animate, then let the active
  // camera set the view and projection the commands draw under.
  scene->getRootSceneNode()->OnAnimate(setup_.device->getTimer()->getTime());
  if (irr::scene::ICameraSceneNode* camera = scene->getActiveCamera()) camera->render();
  refillNodeLists();
  driver->deleteAllDynamicLights();
  for (irr::scene::ISceneNode* light : frameLists_.lights) light->render();
  STkCmdExecContext ctx = frameContext(display);
  if (!display && setup_.lastFrame)
    ctx.cameraCut = setup_.lastFrame->isCameraCut(driver->getTransform(irr::video::ETS_VIEW), kCutDistance,
                                                  kCutDegrees);
  const irr::core::matrix4 projection = driver->getTransform(irr::video::ETS_PROJECTION);
  if (!display) jitterProjection(projection);
  setup_.context->freeShadowMaps();
  for (FlipFlopSet& set : flipFlops_.sets())
    if (!set.keepRotation) set.rotation = 0;
  for (const std::unique_ptr<CTkRenderCmd>& command : commands_) command->execute(ctx);
  if (!display && setup_.context->getFrameSettings().debugView != 0) drawDebugView();
  driver->setTransform(irr::video::ETS_PROJECTION, projection);
}

// Only a context that anti-aliases blends the jittered frames back into a
// steady picture: without it the jitter would only shake the screen.
void CTkRendererCmds::jitterProjection(const irr::core::matrix4& projection) {
  const int setting = setup_.context->getRenderSettings().antialias[kAntialiasJitter];
  if (setting == 0 || !setup_.context->antialias()) return;
  irr::video::IVideoDriver* driver = setup_.device->getVideoDriver();
  const irr::core::dimension2du screen = driver->getScreenSize();
  const irr::u32 frame = nextJitterFrame(EJitterCounter::CommandRenderers);
  driver->setTransform(irr::video::ETS_PROJECTION,
                       jitteredProjection(projection, jitterMatrix(setting, frame, screen.Width, screen.Height)));
}

void CTkRendererCmds::drawDebugView() {
  setup_.services->setRenderTargets(nullptr, 0);
  struct Thumbnail {
    const char* name;
    int x, y;
  } thumbnails[] = {{"NormalRTT", 0, 0},       {"DepthRTT", 180, 0},          {"LightRTT", 360, 0},
                    {"HalfScreen[1]", 0, 140}, {"QuarterScreen[0]", 0, 270}, {"QuarterScreen[1]", 0, 400}};
  for (const Thumbnail& t : thumbnails)
    drawTexture(setup_.textures->findTexture(t.name), t.x, t.y, 160, 120);
  const std::vector<irr::video::ITexture*>& shadowMaps = setup_.context->shadowMaps();
  if (shadowMaps.size() > 2) drawTexture(shadowMaps[2], 540, 0, 160, 120);
}

void CTkRendererCmds::drawTexture(irr::video::ITexture* texture, int x, int y, int width, int height) {
  if (!texture) return;
  const irr::core::dimension2du size = texture->getOriginalSize();
  irr::core::recti source(0, 0, static_cast<irr::s32>(size.Width), static_cast<irr::s32>(size.Height));
  setup_.device->getVideoDriver()->draw2DImage(texture, irr::core::recti(x, y, x + width, y + height), source,
                                               nullptr, nullptr, false);
}

}  // namespace tk
