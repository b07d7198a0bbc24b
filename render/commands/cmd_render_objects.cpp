#include "base/log.h"
#include "effects/binds/shadow_camera.h"
#include "effects/device_state_codes.h"
#include "render/commands/render_cmd_types.h"
#include "render/node_ext/light_shadow_settings.h"
#include "render/render_services.h"

namespace tk {
namespace {

// "ZBuffer": 1 Never, 2 LessEqual, 3 Equal, 4 Less, 5 NotEqual,
// 6 GreaterEqual, 7 Greater, any other value Always (0 is no override).
irr::u8 depthTestOf(int code) {
  if (code == 1) return kCompareNever;
  if (code >= 2 && code <= 7) return static_cast<irr::u8>(code - 1);
  return kCompareAlways;
}

irr::scene::E_SCENE_NODE_RENDER_PASS passOf(int code) {
  if (code == 1) return irr::scene::ESNRP_TRANSPARENT;
  if (code == 2) return irr::scene::ESNRP_TRANSPARENT_EFFECT;
  return irr::scene::ESNRP_SOLID;
}

}  // namespace

CTkRenderCmd_RenderObjects::~CTkRenderCmd_RenderObjects() {
  if (viewLight_) viewLight_->drop();
}

bool CTkRenderCmd_RenderObjects::setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) {
  std::vector<STkTextureSlot> outputs;
  if (!makeSlots(desc.outputs, true, ctx, &outputs) || !outputs_.setup(outputs, name_)) return false;
  const int list = desc.integer("RenderList", -1);
  list_ = list >= kListAllVisible && list <= kListShadowCasters ? list : -1;
  pass_ = passOf(desc.integer("RenderPass", 0));
  technique_ = desc.text("Technique");
  if (technique_ == "Default") technique_.clear();
  readOverrides(desc);
  hideSet_ = static_cast<irr::u32>(desc.integer("HideSet", 0));
  showSet_ = static_cast<irr::u32>(desc.integer("ShowSet", 0));
  separateAlpha_ = desc.integer("SeparateAlpha", 0);
  view_ = desc.integer("View", 0);
  viewLight_ = desc.light("ViewNode");
  if (viewLight_) viewLight_->grab();
  if (list_ >= 0) return true;
  log(LOG_ERROR, "Missing node list of command '%s' ", name_.c_str());
  return false;
}

void CTkRenderCmd_RenderObjects::readOverrides(const STkRenderCmdDesc& desc) {
  irr::video::SMaterial& m = override_.Material;
  if (const int z = desc.integer("ZBuffer", 0); z != 0) {
    override_.EnableFlags |= irr::video::EMF_ZBUFFER;
    m.ZBuffer = depthTestOf(z);
  }
  struct Switch {
    const char* name;
    irr::video::E_MATERIAL_FLAG flag;
  } switches[] = {
      {"ZWrite", irr::video::EMF_ZWRITE_ENABLE},
      {"BackFaceCulling", irr::video::EMF_BACK_FACE_CULLING},
      {"FrontFaceCulling", irr::video::EMF_FRONT_FACE_CULLING},
  };
  for (const Switch& s : switches) {
    const int value = desc.integer(s.name, 0);
    if (value == 0) continue;
    override_.EnableFlags |= s.flag;
    m.setFlag(s.flag, value == 1);
  }
  override_.EnablePasses = 0xFFFF;
  override_.Enabled = override_.EnableFlags != 0;
}

bool CTkRenderCmd_RenderObjects::applyView(const STkCmdExecContext& ctx) const {
  if (view_ == 1) {
    irr::core::matrix4 mirror;
    mirror.setScale(irr::core::vector3df(1, -1, 1));
    ctx.driver->setTransform(irr::video::ETS_VIEW, ctx.driver->getTransform(irr::video::ETS_VIEW) * mirror);
    return true;
  }
  if (view_ != 2 || !viewLight_) return true;
  // A light taken out of the scene has no view to give.
  if (!viewLight_->getParent()) return false;
  const STkShadowCamera camera = shadowCameraOf(
      viewLight_, shadowCameraSettingsOf(viewLight_, ctx.scene ? ctx.scene->getActiveCamera() : nullptr));
  ctx.driver->setTransform(irr::video::ETS_VIEW, camera.view);
  ctx.driver->setTransform(irr::video::ETS_PROJECTION, camera.projection);
  return true;
}

void CTkRenderCmd_RenderObjects::execute(STkCmdExecContext& ctx) {
  const irr::core::matrix4 view = ctx.driver->getTransform(irr::video::ETS_VIEW);
  const irr::core::matrix4 projection = ctx.driver->getTransform(irr::video::ETS_PROJECTION);
  if (applyView(ctx)) {
    irr::video::ITexture* targets[CTkColorOutputs::kMaxOutputs];
    const int count = outputs_.resolve(ctx, targets);
    ctx.services->setRenderTargets(targets, count);
    STkNodeListDraw how;
    how.pass = pass_;
    how.technique = technique_.empty() ? nullptr : technique_.c_str();
    how.override = override_.Enabled ? &override_ : nullptr;
    how.hideSet = hideSet_;
    how.showSet = showSet_;
    how.separateAlpha = separateAlpha_;
    if (const NodeList* list = ctx.lists[list_]) ctx.services->drawNodeList(*list, how);
  }
  ctx.driver->setTransform(irr::video::ETS_VIEW, view);
  ctx.driver->setTransform(irr::video::ETS_PROJECTION, projection);
}

}  // namespace tk
