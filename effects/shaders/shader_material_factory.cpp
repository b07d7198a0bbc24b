#include "effects/shaders/shader_material_factory.h"

namespace tk {
namespace {

class ProgramMaterialFactory : public ITkShaderMaterialFactory {
 public:
  ProgramMaterialFactory(irr::video::IVideoDriver* driver, ShaderProgramMaterialMaker maker)
      : driver_(driver), maker_(std::move(maker)) {}

  int createMaterialType(const STkCompiledShader& vertex, const STkCompiledShader& pixel,
                         irr::video::IShaderConstantSetCallBack* callback, int baseMaterial, int userData,
                         std::string* error) override {
    CTkShaderProgramMaterial* material =
        maker_ ? maker_(vertex, pixel, callback, baseMaterial, userData)
               : new CTkShaderProgramMaterial(vertex, pixel, callback, baseMaterial, userData);
    const int type = driver_->addMaterialRenderer(material, "TkShaderProgram");
    material->drop();  // the driver holds it now
    if (type < 0) *error = "addHighLevelShaderMaterial failed";
    return type;
  }

  bool replacePrograms(int materialType, const STkCompiledShader& vertex, const STkCompiledShader& pixel,
                       std::string* error) override {
    auto* material = dynamic_cast<CTkShaderProgramMaterial*>(
        driver_->getMaterialRenderer(static_cast<irr::u32>(materialType)));
    if (!material) {
      *error = "material type " + std::to_string(materialType) + " is not a shader material";
      return false;
    }
    material->setPrograms(vertex, pixel);
    return true;
  }

 private:
  irr::video::IVideoDriver* driver_;
  ShaderProgramMaterialMaker maker_;
};

}  // namespace

CTkShaderProgramMaterial::CTkShaderProgramMaterial(const STkCompiledShader& vertex, const STkCompiledShader& pixel,
                                                   irr::video::IShaderConstantSetCallBack* callback, int baseMaterial,
                                                   int userData)
    : vertex_(vertex), pixel_(pixel), callback_(callback), baseMaterial_(baseMaterial), userData_(userData) {
  if (callback_) callback_->grab();
}

CTkShaderProgramMaterial::~CTkShaderProgramMaterial() {
  if (callback_) callback_->drop();
}

void CTkShaderProgramMaterial::setPrograms(const STkCompiledShader& vertex, const STkCompiledShader& pixel) {
  vertex_ = vertex;
  pixel_ = pixel;
  ++revision_;
}

std::unique_ptr<ITkShaderMaterialFactory> makeProgramMaterialFactory(irr::video::IVideoDriver* driver,
                                                                     ShaderProgramMaterialMaker maker) {
  return std::make_unique<ProgramMaterialFactory>(driver, std::move(maker));
}

}  // namespace tk
