#include "render/gl/effect_material_renderer.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "base/log.h"
#include "effects/device_state_codes.h"
#include "effects/runtime/effect.h"
#include "render/gl/gl_program.h"
#include "render/gl/gl_texture_binder.h"
#include "render/video_driver_ext.h"

namespace tk {
namespace {

bool isSamplerType(GLenum type) {
  switch (type) {
    case GL_SAMPLER_1D:
    case GL_SAMPLER_2D:
    case GL_SAMPLER_3D:
    case GL_SAMPLER_CUBE:
    case GL_SAMPLER_2D_SHADOW:
    case GL_SAMPLER_2D_RECT: return true;
    default: return false;
  }
}

constexpr int kStageVertexCode = 2;

bool sameLayer(const STkTextureLayer& a, const STkTextureLayer& b) {
  return a.texture == b.texture && a.engineTexture == b.engineTexture && a.wrapU == b.wrapU && a.wrapV == b.wrapV &&
         a.bilinear == b.bilinear && a.trilinear == b.trilinear && a.anisotropy == b.anisotropy &&
         a.lodBias == b.lodBias && a.sRGB == b.sRGB;
}

bool sameLayers(const STkMaterial& a, const STkMaterial& b) {
  return std::equal(std::begin(a.pixelLayers), std::end(a.pixelLayers), std::begin(b.pixelLayers), sameLayer) &&
         std::equal(std::begin(a.vertexLayers), std::end(a.vertexLayers), std::begin(b.vertexLayers), sameLayer);
}

}  // namespace

CTkEffectMaterialRenderer::CTkEffectMaterialRenderer(irr::video::IVideoDriver* driver,
                                                     const STkMaterialRendererShared* shared,
                                                     const STkCompiledShader& vertex, const STkCompiledShader& pixel,
                                                     irr::video::IShaderConstantSetCallBack* callback,
                                                     int baseMaterial, int userData)
    : CTkShaderProgramMaterial(vertex, pixel, callback, baseMaterial, userData),
      driver_(driver),
      shared_(shared) {}

CTkEffectMaterialRenderer::~CTkEffectMaterialRenderer() {
  if (program_) glDeleteProgram(program_);
  GLuint buffers[2] = {vertexBlock_.buffer, pixelBlock_.buffer};
  glDeleteBuffers(2, buffers);
}

bool CTkEffectMaterialRenderer::isTransparent() const {
  irr::video::IMaterialRenderer* base = driver_->getMaterialRenderer(static_cast<irr::u32>(baseMaterial()));
  return base && base != this && base->isTransparent();
}

// Links again after the shader services replaced the programs.
bool CTkEffectMaterialRenderer::ensureProgram() {
  if (linkedRevision_ == revision()) return program_ != 0;
  linkedRevision_ = revision();
  if (program_) glDeleteProgram(program_);
  std::string messages;
  program_ = linkShaderProgram(vertex(), pixel(), &messages);
  if (!program_) {
    log(LOG_ERROR, "CTkEffectMaterialRenderer: cannot link the shader program: %s", messages.c_str());
    return false;
  }
  vertexBlock_.table = &vertex().table;
  vertexBlock_.bytes.assign(vertex().table.blockSize, 0);
  pixelBlock_.table = &pixel().table;
  pixelBlock_.bytes.assign(pixel().table.blockSize, 0);
  pointSamplersAtLayerUnits();
  return true;
}

// The translated shaders read layer n on unit n of their stage; the layers
// live on the engine's units, so every sampler is moved by its stage's base.
void CTkEffectMaterialRenderer::pointSamplersAtLayerUnits() {
  GLint count = 0;
  glGetProgramInterfaceiv(program_, GL_UNIFORM, GL_ACTIVE_RESOURCES, &count);
  glUseProgram(program_);
  for (GLint i = 0; i < count; ++i) {
    const GLenum properties[3] = {GL_TYPE, GL_LOCATION, GL_REFERENCED_BY_FRAGMENT_SHADER};
    GLint values[3] = {0, -1, 0};
    glGetProgramResourceiv(program_, GL_UNIFORM, static_cast<GLuint>(i), 3, properties, 3, nullptr, values);
    if (!isSamplerType(static_cast<GLenum>(values[0])) || values[1] < 0) continue;
    GLint layer = 0;
    glGetUniformiv(program_, values[1], &layer);
    const int base = values[2] ? kFirstPixelLayerUnit : kFirstVertexLayerUnit;
    glUniform1i(values[1], base + layer);
  }
  glUseProgram(0);
}

void CTkEffectMaterialRenderer::OnSetMaterial(const irr::video::SMaterial& material,
                                              const irr::video::SMaterial& lastMaterial, bool resetAllRenderstates,
                                              irr::video::IMaterialRendererServices* services) {
  libraryServices_ = services;
  irr::video::IMaterialRenderer* base = driver_->getMaterialRenderer(static_cast<irr::u32>(baseMaterial()));
  if (base && base != this)
    base->OnSetMaterial(material, lastMaterial, resetAllRenderstates, services);
  else
    services->setBasicRenderStates(material, lastMaterial, resetAllRenderstates);
  // The display library's blend material also turns on an alpha test that
  // drops every fragment of alpha 0. Effects blend as their states say and
  // test nothing: an additive light keeps its colour where its alpha (the
  // specular intensity) is 0.
  if (baseMaterial() == irr::video::EMT_ONETEXTURE_BLEND) glDisable(GL_ALPHA_TEST);
  if (material.ZBuffer == kCompareNever) {  // a code the display library does not have
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_NEVER);
  }
  if (shared_->extension) shared_->extension->applyDrawState();
  if (!ensureProgram()) return;
  glUseProgram(program_);
  if (callback()) callback()->OnSetMaterial(material);
  bindLayers(material);
}

const STkMaterial& CTkEffectMaterialRenderer::layersOf(float contextSlot) const {
  const STkMaterialContext* context = shared_->contexts ? shared_->contexts->find(contextSlot) : nullptr;
  const STkMaterial* layers = context ? context->material : nullptr;
  if (!layers && context && context->effect) {
    const STkFxPass* pass = context->effect->pass(context->technique, context->pass);
    if (pass) layers = &pass->material;
  }
  // A material no context names gets empty layers, not what the last draw left bound.
  static const STkMaterial kNoLayers;
  return layers ? *layers : kNoLayers;
}

void CTkEffectMaterialRenderer::bindLayers(const irr::video::SMaterial& material) {
  contextSlot_ = material.MaterialTypeParam2;
  bindLayers(layersOf(contextSlot_));
}

void CTkEffectMaterialRenderer::bindLayers(const STkMaterial& layers) {
  for (int i = 0; i < kPixelLayerCount; ++i) shared_->textures->bind(kFirstPixelLayerUnit + i, layers.pixelLayers[i]);
  for (int i = 0; i < kVertexLayerCount; ++i) shared_->textures->bind(kFirstVertexLayerUnit + i, layers.vertexLayers[i]);
  glActiveTexture(GL_TEXTURE0);
  std::copy(std::begin(layers.pixelLayers), std::end(layers.pixelLayers), std::begin(boundLayers_.pixelLayers));
  std::copy(std::begin(layers.vertexLayers), std::end(layers.vertexLayers), std::begin(boundLayers_.vertexLayers));
}

bool CTkEffectMaterialRenderer::OnRender(irr::video::IMaterialRendererServices*, irr::video::E_VERTEX_TYPE) {
  if (!program_) return false;
  // The same material drawn again may carry other textures in its context.
  const STkMaterial& layers = layersOf(contextSlot_);
  if (!sameLayers(layers, boundLayers_)) bindLayers(layers);
  if (callback()) callback()->OnSetConstants(this, userData());
  uploadBlock(vertexBlock_);
  uploadBlock(pixelBlock_);
  return true;
}

void CTkEffectMaterialRenderer::uploadBlock(StageBlock& block) {
  if (!block.table || block.table->blockBinding < 0 || block.bytes.empty()) return;
  if (!block.buffer) glGenBuffers(1, &block.buffer);
  glBindBuffer(GL_UNIFORM_BUFFER, block.buffer);
  glBufferData(GL_UNIFORM_BUFFER, static_cast<GLsizeiptr>(block.bytes.size()), block.bytes.data(), GL_STREAM_DRAW);
  glBindBufferBase(GL_UNIFORM_BUFFER, static_cast<GLuint>(block.table->blockBinding), block.buffer);
}

void CTkEffectMaterialRenderer::OnUnsetMaterial() {
  glUseProgram(0);
  irr::video::IMaterialRenderer* base = driver_->getMaterialRenderer(static_cast<irr::u32>(baseMaterial()));
  if (base && base != this) base->OnUnsetMaterial();
}

void CTkEffectMaterialRenderer::setBasicRenderStates(const irr::video::SMaterial& material,
                                                     const irr::video::SMaterial& lastMaterial,
                                                     bool resetAllRenderstates) {
  if (libraryServices_) libraryServices_->setBasicRenderStates(material, lastMaterial, resetAllRenderstates);
}

// ---- constants --------------------------------------------------------------

bool CTkEffectMaterialRenderer::writeNamed(StageBlock& block, const char* name, const float* values, int count) {
  if (!block.table || !name || count <= 0) return false;
  const STkShaderConstant* constant = block.table->findConstant(name);
  if (!constant) return false;
  writeConstant(*constant, values, static_cast<size_t>(count), block.bytes.data(), block.bytes.size());
  return true;
}

void CTkEffectMaterialRenderer::writeRegisters(StageBlock& block, const float* data, int startRegister, int count) {
  if (!data || startRegister < 0 || count <= 0) return;
  const size_t offset = static_cast<size_t>(startRegister) * 16;
  if (offset >= block.bytes.size()) return;
  const size_t bytes = std::min(static_cast<size_t>(count) * 16, block.bytes.size() - offset);
  std::memcpy(block.bytes.data() + offset, data, bytes);
}

void CTkEffectMaterialRenderer::setResolvedConstant(int stage, const STkShaderConstant& constant,
                                                    const float* values, int count) {
  StageBlock& block = stage == kStageVertexCode ? vertexBlock_ : pixelBlock_;
  if (count > 0) writeConstant(constant, values, static_cast<size_t>(count), block.bytes.data(), block.bytes.size());
}

bool CTkEffectMaterialRenderer::setVertexShaderConstant(const irr::c8* name, const irr::f32* floats, int count) {
  return writeNamed(vertexBlock_, name, floats, count);
}
bool CTkEffectMaterialRenderer::setPixelShaderConstant(const irr::c8* name, const irr::f32* floats, int count) {
  return writeNamed(pixelBlock_, name, floats, count);
}

namespace {
template <typename T>
std::vector<float> asFloats(const T* values, int count) {
  std::vector<float> floats(static_cast<size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) floats[i] = static_cast<float>(values[i]);
  return floats;
}
}  // namespace

bool CTkEffectMaterialRenderer::setVertexShaderConstant(const irr::c8* name, const bool* bools, int count) {
  return writeNamed(vertexBlock_, name, asFloats(bools, count).data(), count);
}
bool CTkEffectMaterialRenderer::setVertexShaderConstant(const irr::c8* name, const irr::s32* ints, int count) {
  return writeNamed(vertexBlock_, name, asFloats(ints, count).data(), count);
}
bool CTkEffectMaterialRenderer::setPixelShaderConstant(const irr::c8* name, const bool* bools, int count) {
  return writeNamed(pixelBlock_, name, asFloats(bools, count).data(), count);
}
bool CTkEffectMaterialRenderer::setPixelShaderConstant(const irr::c8* name, const irr::s32* ints, int count) {
  return writeNamed(pixelBlock_, name, asFloats(ints, count).data(), count);
}
void CTkEffectMaterialRenderer::setVertexShaderConstant(const irr::f32* data, irr::s32 startRegister,
                                                        irr::s32 constantAmount) {
  writeRegisters(vertexBlock_, data, startRegister, constantAmount);
}
void CTkEffectMaterialRenderer::setPixelShaderConstant(const irr::f32* data, irr::s32 startRegister,
                                                       irr::s32 constantAmount) {
  writeRegisters(pixelBlock_, data, startRegister, constantAmount);
}

std::unique_ptr<ITkShaderMaterialFactory> makeEffectMaterialFactory(irr::video::IVideoDriver* driver,
                                                                    const STkMaterialRendererShared* shared) {
  return makeProgramMaterialFactory(
      driver, [=](const STkCompiledShader& vertex, const STkCompiledShader& pixel,
                  irr::video::IShaderConstantSetCallBack* callback, int baseMaterial, int userData) {
        return new CTkEffectMaterialRenderer(driver, shared, vertex, pixel, callback, baseMaterial, userData);
      });
}

}  // namespace tk
