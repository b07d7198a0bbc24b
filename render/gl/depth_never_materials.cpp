#include "render/gl/depth_never_materials.h"

#include <epoxy/gl.h>

#include "effects/device_state_codes.h"
#include "effects/shaders/shader_material_factory.h"

namespace tk {
namespace {

// Draws as the wrapped renderer does; a material with depth comparison
// "never" then gets GL_NEVER (any other keeps the library's depth state).
class CTkDepthNeverRenderer : public irr::video::IMaterialRenderer {
 public:
  explicit CTkDepthNeverRenderer(irr::video::IMaterialRenderer* wrapped) : wrapped_(wrapped) { wrapped_->grab(); }
  ~CTkDepthNeverRenderer() override { wrapped_->drop(); }

  void OnSetMaterial(const irr::video::SMaterial& material, const irr::video::SMaterial& lastMaterial,
                     bool resetAllRenderstates, irr::video::IMaterialRendererServices* services) override {
    wrapped_->OnSetMaterial(material, lastMaterial, resetAllRenderstates, services);
    if (material.ZBuffer == kCompareNever) {
      glEnable(GL_DEPTH_TEST);
      glDepthFunc(GL_NEVER);
    }
  }
  bool OnRender(irr::video::IMaterialRendererServices* services, irr::video::E_VERTEX_TYPE type) override {
    return wrapped_->OnRender(services, type);
  }
  void OnUnsetMaterial() override { wrapped_->OnUnsetMaterial(); }
  bool isTransparent() const override { return wrapped_->isTransparent(); }
  irr::s32 getRenderCapability() const override { return wrapped_->getRenderCapability(); }

 private:
  irr::video::IMaterialRenderer* wrapped_;
};

}  // namespace

int CTkDepthNeverMaterials::variantOf(int type) {
  irr::video::IMaterialRenderer* renderer = driver_->getMaterialRenderer(static_cast<irr::u32>(type));
  if (!renderer || dynamic_cast<CTkShaderProgramMaterial*>(renderer) || dynamic_cast<CTkDepthNeverRenderer*>(renderer))
    return type;
  auto found = variants_.find(type);
  if (found != variants_.end()) return found->second;
  auto* variant = new CTkDepthNeverRenderer(renderer);
  const int variantType = driver_->addMaterialRenderer(variant, "TkDepthNever");
  variant->drop();
  if (variantType < 0) return type;
  variants_[type] = variantType;
  return variantType;
}

}  // namespace tk
