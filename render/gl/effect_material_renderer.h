#pragma once
// The engine's material renderer for shader materials on OpenGL. When the
// display library sets such a material it lets the base material set the
// fixed states (blending, depth, culling), links and uses the program, binds
// the 8 pixel and 4 vertex texture layers of the material's context on units
// the library never touches (pixel layer i on unit 4 + i, vertex layer i on
// unit 12 + i) with their sampler states and sRGB choice, and before each draw
// asks the constant callback for the constants and uploads them.

#include <epoxy/gl.h>
#include <irrlicht.h>

#include <memory>
#include <vector>

#include "effects/binds/effect_bind.h"
#include "effects/runtime/effect_material.h"
#include "effects/shaders/shader_material_factory.h"

namespace tk {

class CTkGLTextureBinder;
class ITkVideoDriverExt;

// What every effect material renderer shares; the engine context owns it and
// fills the extension in once it exists.
struct STkMaterialRendererShared {
  const CTkMaterialContexts* contexts = nullptr;
  CTkGLTextureBinder* textures = nullptr;
  ITkVideoDriverExt* extension = nullptr;
};

constexpr int kFirstPixelLayerUnit = 4;
constexpr int kFirstVertexLayerUnit = kFirstPixelLayerUnit + kPixelLayerCount;

class CTkEffectMaterialRenderer : public CTkShaderProgramMaterial,
                                  public irr::video::IMaterialRendererServices,
                                  public ITkResolvedConstantServices {
 public:
  CTkEffectMaterialRenderer(irr::video::IVideoDriver* driver, const STkMaterialRendererShared* shared,
                            const STkCompiledShader& vertex, const STkCompiledShader& pixel,
                            irr::video::IShaderConstantSetCallBack* callback, int baseMaterial, int userData);
  ~CTkEffectMaterialRenderer() override;

  // The display library's material renderer.
  void OnSetMaterial(const irr::video::SMaterial& material, const irr::video::SMaterial& lastMaterial,
                     bool resetAllRenderstates, irr::video::IMaterialRendererServices* services) override;
  bool OnRender(irr::video::IMaterialRendererServices* service, irr::video::E_VERTEX_TYPE vtxtype) override;
  void OnUnsetMaterial() override;
  bool isTransparent() const override;

  // The upload services handed to the constant callback.
  void setBasicRenderStates(const irr::video::SMaterial& material, const irr::video::SMaterial& lastMaterial,
                            bool resetAllRenderstates) override;
  bool setVertexShaderConstant(const irr::c8* name, const irr::f32* floats, int count) override;
  bool setVertexShaderConstant(const irr::c8* name, const bool* bools, int count) override;
  bool setVertexShaderConstant(const irr::c8* name, const irr::s32* ints, int count) override;
  void setVertexShaderConstant(const irr::f32* data, irr::s32 startRegister, irr::s32 constantAmount) override;
  bool setPixelShaderConstant(const irr::c8* name, const irr::f32* floats, int count) override;
  bool setPixelShaderConstant(const irr::c8* name, const bool* bools, int count) override;
  bool setPixelShaderConstant(const irr::c8* name, const irr::s32* ints, int count) override;
  void setPixelShaderConstant(const irr::f32* data, irr::s32 startRegister, irr::s32 constantAmount) override;
  irr::video::IVideoDriver* getVideoDriver() override { return driver_; }

  void setResolvedConstant(int stage, const STkShaderConstant& constant, const float* values, int count) override;

  // The linked program (0 before the first use or when linking failed).
  GLuint program() const { return program_; }

 private:
  struct StageBlock {
    const STkShaderConstantTable* table = nullptr;
    std::vector<uint8_t> bytes;
    GLuint buffer = 0;
  };

  bool ensureProgram();
  void pointSamplersAtLayerUnits();
  void bindLayers(const irr::video::SMaterial& material);
  // The layers the material context of that slot asks for (empty ones without a context).
  const STkMaterial& layersOf(float contextSlot) const;
  void bindLayers(const STkMaterial& layers);
  bool writeNamed(StageBlock& block, const char* name, const float* values, int count);
  void writeRegisters(StageBlock& block, const float* data, int startRegister, int count);
  void uploadBlock(StageBlock& block);

  irr::video::IVideoDriver* driver_;
  const STkMaterialRendererShared* shared_;
  irr::video::IMaterialRendererServices* libraryServices_ = nullptr;
  GLuint program_ = 0;
  unsigned linkedRevision_ = ~0u;
  bool linkFailed_ = false;
  StageBlock vertexBlock_;
  StageBlock pixelBlock_;
  // What the last OnSetMaterial bound: the display library skips that call
  // for a material equal to the last one, which full-screen draws with other
  // textures in their context are.
  float contextSlot_ = 0;
  STkMaterial boundLayers_;
};

// The shader material factory of the OpenGL driver.
std::unique_ptr<ITkShaderMaterialFactory> makeEffectMaterialFactory(irr::video::IVideoDriver* driver,
                                                                    const STkMaterialRendererShared* shared);

}  // namespace tk
