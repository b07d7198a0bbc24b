#pragma once
// The display-library side of a shader material: turns two translated shaders
// into a material type number and replaces the programs of an existing one.
// The default factory registers a CTkShaderProgramMaterial per material type;
// the engine's material renderer can stand in by installing its own factory.

#include <irrlicht.h>

#include <functional>
#include <memory>
#include <string>

#include "effects/shaders/compiled_shader.h"

namespace tk {

class ITkShaderMaterialFactory {
 public:
  virtual ~ITkShaderMaterialFactory() = default;
  // A new material type number, or -1 with `error` set.
  virtual int createMaterialType(const STkCompiledShader& vertex, const STkCompiledShader& pixel,
                                 irr::video::IShaderConstantSetCallBack* callback, int baseMaterial, int userData,
                                 std::string* error) = 0;
  virtual bool replacePrograms(int materialType, const STkCompiledShader& vertex, const STkCompiledShader& pixel,
                               std::string* error) = 0;
};

// A material renderer that holds the programs of one shader material type with
// what it was made with; whoever draws with it links the GLSL it holds.
class CTkShaderProgramMaterial : public irr::video::IMaterialRenderer {
 public:
  CTkShaderProgramMaterial(const STkCompiledShader& vertex, const STkCompiledShader& pixel,
                           irr::video::IShaderConstantSetCallBack* callback, int baseMaterial, int userData);
  ~CTkShaderProgramMaterial() override;

  void setPrograms(const STkCompiledShader& vertex, const STkCompiledShader& pixel);
  const STkCompiledShader& vertex() const { return vertex_; }
  const STkCompiledShader& pixel() const { return pixel_; }
  irr::video::IShaderConstantSetCallBack* callback() const { return callback_; }
  int baseMaterial() const { return baseMaterial_; }
  int userData() const { return userData_; }
  // Counts program replacements, so a drawer knows to link again.
  unsigned revision() const { return revision_; }

 private:
  STkCompiledShader vertex_;
  STkCompiledShader pixel_;
  irr::video::IShaderConstantSetCallBack* callback_;
  int baseMaterial_;
  int userData_;
  unsigned revision_ = 0;
};

using ShaderProgramMaterialMaker = std::function<CTkShaderProgramMaterial*(
    const STkCompiledShader& vertex, const STkCompiledShader& pixel,
    irr::video::IShaderConstantSetCallBack* callback, int baseMaterial, int userData)>;

// Registers CTkShaderProgramMaterial renderers with the driver; `maker`, when
// given, makes a drawing renderer derived from it instead.
std::unique_ptr<ITkShaderMaterialFactory> makeProgramMaterialFactory(irr::video::IVideoDriver* driver,
                                                                     ShaderProgramMaterialMaker maker = nullptr);

}  // namespace tk
