#include "render/lpp/renderer_lpp.h"

#include "base/log.h"
#include "effects/device_state_codes.h"
#include "render/debug_view.h"
#include "render/last_frame_info.h"
#include "render/lpp/light_pass.h"
#include "render/post/post_antialias.h"
#include "render/post/post_blur.h"
#include "render/post/post_depth_of_field.h"
#include "render/post/post_effect.h"
#include "render/post/post_glow.h"
#include "render/post/post_settings.h"
#include "render/render_services.h"
#include "render/render_target_registry.h"
#include "render/renderer_ctx_adv.h"

namespace tk {
namespace {

constexpr const char* kDepthTechnique = "depth";

irr::video::ITexture* findTarget(const RenderTargetRegistry* textures, const std::string& name) {
  const RenderTargetInfo* info = textures ? textures->find(name) : nullptr;
  return info ? info->texture : nullptr;
}

irr::video::SOverrideMaterial overrideOf(irr::video::E_MATERIAL_FLAG flag) {
  irr::video::SOverrideMaterial override;
  override.EnableFlags = flag;
  override.EnablePasses = 0xFFFF;
  override.Enabled = true;
  return override;
}

}  // namespace

CTkRendererLpp::CTkRendererLpp(const STkRendererLppSetup& setup)
    : setup_(setup),
      transparentOverride_(overrideOf(irr::video::EMF_ZWRITE_ENABLE)),
      solidOverride_(overrideOf(irr::video::EMF_ZBUFFER)) {
  if (setup_.context) setup_.context->grab();
  transparentOverride_.Material.ZWriteEnable = false;
  solidOverride_.Material.ZBuffer = kCompareLessEqual;
}

CTkRendererLpp::~CTkRendererLpp() {
  if (setup_.context) setup_.context->drop();
}

bool CTkRendererLpp::init(const std::string& lppFile, const std::string& forwardFile) {
  if (initialised_ || !setup_.context || !setup_.services) return false;
  lppFile_ = lppFile;
  forwardFile_ = forwardFile;
  if (!findTargets()) {
    log(LOG_ERROR, "CTkRendererLpp failed to find render targets");
    return false;
  }
  initialised_ = true;
  return true;
}

bool CTkRendererLpp::findTargets() {
  const RenderTargetRegistry* textures = setup_.textures;
  bool found = true;
  auto need = [&](const std::string& name) {
    irr::video::ITexture* texture = findTarget(textures, name);
    found = found && texture;
    return texture;
  };
  for (int i = 0; i < kBackTargets; ++i) back_[i] = need("BackRTT[" + std::to_string(i) + "]");
  depth_ = need("DepthRTT");
  normal_ = need("NormalRTT");
  light_ = need("LightRTT");
  for (int i = 0; i < kHalfTargets; ++i) half_[i] = need("HalfScreen[" + std::to_string(i) + "]");
  for (int i = 0; i < kQuarterTargets; ++i) quarter_[i] = need("QuarterScreen[" + std::to_string(i) + "]");
  return found;
}

bool CTkRendererLpp::getMaterialEffect(std::string* file, ShaderMacroList* macros, int* capacity,
                                       int materialType) {
  return lightPrePassMaterialEffect("CTkRendererLpp", file, macros, capacity, materialType);
}

irr::video::ITexture* CTkRendererLpp::otherBackTarget(irr::video::ITexture* texture) const {
  return texture == back_[0] ? back_[1] : back_[0];
}

irr::video::ITexture* CTkRendererLpp::runChain(irr::video::ITexture* target, irr::video::ITexture* source,
                                               irr::video::ITexture* work, const char* name, bool copyBack,
                                               bool glowOn) {
  CTkPostChain* chain = setup_.context->getPostChain();
  if (!chain) return source;
  return chain->render(target, source, work, name, copyBack, glowOn);
}

// The picture and the depth the surfaces write beside it (USE_OUTDEPTH).
void CTkRendererLpp::setColourAndDepthTargets(irr::video::ITexture* colour) {
  irr::video::ITexture* targets[2] = {colour, depth_};
  setup_.services->setRenderTargets(targets, 2);
}

void CTkRendererLpp::render(irr::video::ITexture* display) {
  if (!initialised_) return;
  irr::video::IVideoDriver* driver = setup_.device->getVideoDriver();
  CTkRendererCtxAdv* context = setup_.context;
  frame_.startFrame(setup_.device, *setup_.services);
  const STkRenderSettings& settings = context->getRenderSettings();
  refreshPostSemantics(context->bindSemantics(), settings);
  Frame frame;
  frame.display = display;
  frame.glowOn = settings.glowEnable != 0 && settings.glowIntensity != 0;
  frame.cameraCut = frameIsCameraCut(setup_.lastFrame, driver->getTransform(irr::video::ETS_VIEW), !display);
  const irr::core::matrix4 projection = driver->getTransform(irr::video::ETS_PROJECTION);
  if (!display) jitterProjection(context, driver, EJitterCounter::LightPrePass, projection);

  drawGBuffer();
  context->freeShadowMaps();
  drawLightBuffer();
  runChain(light_, light_, back_[1], "lightpost", true, false);
  drawOpaque();
  runChain(back_[0], back_[0], back_[1], "solidpost", true, false);
  irr::video::ITexture* picture = drawTransparent();
  drawVolumetricLights(picture);
  picture = runChain(otherBackTarget(picture), picture, nullptr, "prepost", false, false);
  picture = antialiasInFrame(picture, frame);
  picture = addTransparentEffectsAndGlow(picture, frame);
  picture = applyDepthOfField(picture);
  finish(picture, frame);

  if (!display && context->getFrameSettings().debugView != 0) drawDebugView();
  driver->setTransform(irr::video::ETS_PROJECTION, projection);
}

// B0 cleared to the background, the G-buffer cleared to "nothing here", then
// the solid surfaces' normals and depth over it (the depth buffer is shared
// by every screen-sized target, so the later passes test against it). The
// picture's alpha is how much it glows: the background does not.
void CTkRendererLpp::drawGBuffer() {
  irr::video::IVideoDriver* driver = setup_.device->getVideoDriver();
  irr::video::SColor background(setup_.context->getFrameSettings().backgroundColor);
  background.setAlpha(0);
  driver->setRenderTarget(back_[0], true, true, background);
  irr::video::ITexture* gBuffer[2] = {normal_, depth_};
  setup_.services->setRenderTargets(gBuffer, 2);
  if (CTkPostEffect* clear = setup_.context->depthClear()) clear->drawIntoCurrent(nullptr);
  STkNodeListDraw how;
  how.pass = irr::scene::ESNRP_SOLID;
  how.technique = kDepthTechnique;
  setup_.services->drawNodeList(frame_.nodes().solid, how);
}

// Without a light pass the buffer holds no light, as it does for a frame
// without lights: surfaces show their ambient and emissive terms.
void CTkRendererLpp::drawLightBuffer() {
  if (ITkLightPass* lightPass = setup_.context->lightPass()) {
    lightPass->render(light_, frame_.lights(), frame_.shadowCasters());
    return;
  }
  setup_.device->getVideoDriver()->setRenderTarget(light_, true, false, irr::video::SColor(0, 0, 0, 0));
}

void CTkRendererLpp::drawOpaque() {
  setColourAndDepthTargets(back_[0]);
  STkNodeListDraw how;
  how.pass = irr::scene::ESNRP_SOLID;
  how.override = &solidOverride_;
  setup_.services->drawNodeList(frame_.nodes().solid, how);
}

// The transparent objects over the opaque picture, then the "transpost"
// chain; answers the texture that holds the result.
irr::video::ITexture* CTkRendererLpp::drawTransparent() {
  setColourAndDepthTargets(back_[0]);
  STkNodeListDraw how;
  how.pass = irr::scene::ESNRP_TRANSPARENT;
  how.override = &transparentOverride_;
  setup_.services->drawNodeList(frame_.nodes().transparent, how);
  return runChain(back_[1], back_[0], nullptr, "transpost", false, false);
}

void CTkRendererLpp::drawVolumetricLights(irr::video::ITexture*) {}

// The history in B3 and the cameras of this frame and the last; an image is
// no step of the screen's sequence and leaves the history alone.
STkAntialiasFrame CTkRendererLpp::antialiasFrame(const Frame& frame) const {
  STkAntialiasFrame aa;
  aa.history = back_[3];
  aa.cameraCut = frame.cameraCut;
  aa.useHistory = !frame.display;
  irr::video::IVideoDriver* driver = setup_.device->getVideoDriver();
  aa.view = driver->getTransform(irr::video::ETS_VIEW);
  aa.projection = driver->getTransform(irr::video::ETS_PROJECTION);
  if (setup_.lastFrame) {
    aa.previousView = setup_.lastFrame->getLastView();
    aa.previousProjection = setup_.lastFrame->getLastProjection();
  }
  return aa;
}

irr::video::ITexture* CTkRendererLpp::antialiasInFrame(irr::video::ITexture* picture, const Frame& frame) {
  CTkPostAntialias* antialias = setup_.context->antialias();
  const STkRenderSettings& settings = setup_.context->getRenderSettings();
  if (!antialias || !setup_.context->antialiasSetUp() || settings.antialias[kAntialiasLocation] != kAntialiasInFrame ||
      !CTkPostAntialias::isEnabled(settings))
    return picture;
  STkAntialiasFrame aa = antialiasFrame(frame);
  aa.target = otherBackTarget(picture);
  aa.source = picture;
  aa.work = back_[2];
  aa.colorSpace = settings.colorSpaceViewer != 0;
  irr::video::ITexture* result = antialias->render(settings, aa);
  return result ? result : picture;
}

// The glow reads the picture before the transparent effects are drawn over
// it, so particles do not glow twice.
irr::video::ITexture* CTkRendererLpp::addTransparentEffectsAndGlow(irr::video::ITexture* picture, const Frame& frame) {
  CTkPostDownSample* downSample = setup_.context->downSample();
  CTkPostGlow* glow = setup_.context->glow();
  const bool glowing = frame.glowOn && downSample && glow;
  if (glowing) downSample->render(half_[2], picture);
  setColourAndDepthTargets(picture);
  STkNodeListDraw how;
  how.pass = irr::scene::ESNRP_TRANSPARENT_EFFECT;
  how.override = &transparentOverride_;
  setup_.services->drawNodeList(frame_.nodes().transparentEffect, how);
  if (glowing) {
    const STkRenderSettings& settings = setup_.context->getRenderSettings();
    glow->render(picture, half_[2], settings.glowRadius, settings.glowIntensity, settings.streakEnable != 0,
                 settings);
  }
  return picture;
}

irr::video::ITexture* CTkRendererLpp::applyDepthOfField(irr::video::ITexture* picture) {
  CTkPostDepthOfField* depthOfField = setup_.context->depthOfField();
  const STkRenderSettings& settings = setup_.context->getRenderSettings();
  if (!depthOfField || settings.dofEnable == 0) return picture;
  irr::video::ITexture* target = otherBackTarget(picture);
  if (settings.advancedDofEnable == 0)
    depthOfField->renderPhysical(target, picture, depth_, back_[2]);
  else
    depthOfField->renderArtist(target, picture, depth_, back_[2], settings.dofRadiusScale);
  return target;
}

bool CTkRendererLpp::endAntialiasApplies() const {
  const STkRenderSettings& settings = setup_.context->getRenderSettings();
  return setup_.context->antialias() && setup_.context->antialiasSetUp() &&
         settings.antialias[kAntialiasLocation] == kAntialiasAtEnd && CTkPostAntialias::isEnabled(settings);
}

// The unnamed chain, gamma under the colour-space viewer, anti-aliasing at
// the end, and the picture into the display.
void CTkRendererLpp::finish(irr::video::ITexture* picture, const Frame& frame) {
  picture = runChain(otherBackTarget(picture), picture, nullptr, nullptr, false, frame.glowOn);
  const bool endAntialias = endAntialiasApplies();
  bool inDisplay = false;
  CTkPostEffect* gamma = setup_.context->gamma();
  if (gamma && setup_.context->getRenderSettings().colorSpaceViewer != 0) {
    irr::video::ITexture* target = endAntialias ? otherBackTarget(picture) : frame.display;
    gamma->draw(target, picture);
    picture = target;
    inDisplay = !endAntialias;
  }
  if (endAntialias)
    antialiasToDisplay(picture, frame);
  else if (!inDisplay)
    setup_.services->copyTextureInto(frame.display, picture);
}

// For the screen the result goes through B2 and on to the screen. The
// anti-aliasing may leave its result in a texture other than its target
// (temporal blending into the source); an image gets it copied in.
void CTkRendererLpp::antialiasToDisplay(irr::video::ITexture* picture, const Frame& frame) {
  const STkRenderSettings& settings = setup_.context->getRenderSettings();
  STkAntialiasFrame aa = antialiasFrame(frame);
  aa.target = frame.display ? frame.display : back_[2];
  aa.source = picture;
  aa.work = otherBackTarget(picture);
  aa.toDisplay = !frame.display;
  irr::video::ITexture* result = setup_.context->antialias()->render(settings, aa);
  if (frame.display && result != frame.display) setup_.services->copyTextureInto(frame.display, result);
}

void CTkRendererLpp::drawDebugView() {
  tk::drawDebugView(setup_.services, setup_.textures, setup_.context->shadowMaps());
}

void CTkRendererLpp::drawTexture(irr::video::ITexture* texture, int x, int y, int width, int height) {
  tk::drawTexture(setup_.device->getVideoDriver(), texture, x, y, width, height);
}

}  // namespace tk
