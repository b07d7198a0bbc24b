#include "render/gl/gl_video_driver_ext.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <vector>

#include "base/log.h"
#include "render/gl/engine_texture.h"

namespace tk {

// A lock of a display-library texture goes through the library's own lock; a
// lock of an engine cube face holds a copy of the level, written back on
// unlock unless it was taken for reading only.
class TkTextureLockHandle {
 public:
  enum Kind { DISPLAY_TEXTURE, ENGINE_CUBE_FACE };
  explicit TkTextureLockHandle(irr::video::ITexture* texture) : kind(DISPLAY_TEXTURE), texture(texture) {}
  TkTextureLockHandle(CTkEngineTexture* cube, int level, int face, bool writable)
      : kind(ENGINE_CUBE_FACE), cube(cube), level(level), face(face), writable(writable),
        texels(cube->levelBytes(level)) {
    cube->grab();
  }
  ~TkTextureLockHandle() {
    if (cube) cube->drop();
  }
  TkTextureLockHandle(const TkTextureLockHandle&) = delete;
  TkTextureLockHandle& operator=(const TkTextureLockHandle&) = delete;

  const Kind kind;
  irr::video::ITexture* texture = nullptr;
  CTkEngineTexture* cube = nullptr;
  int level = 0, face = 0;
  bool writable = false;
  std::vector<uint8_t> texels;
};

namespace {

float channel(irr::u32 value) { return static_cast<float>(value) / 255.0f; }

}  // namespace

// The display library builds its projections, and the engine's effects are
// written, for clip-space depth from 0 (near plane) to w (far plane), as on
// Direct3D 9. OpenGL clips depth from -w to w unless told otherwise: left so,
// the near plane of such a projection moves to about half its distance, so
// that whatever lies between there and the near plane is still drawn, and
// depth buffers hold (z + 1) / 2 where those effects expect z.
CTkGLVideoDriverExt::CTkGLVideoDriverExt(irr::video::IVideoDriver* driver) {
  glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
  if (driver) depthNever_ = std::make_unique<CTkDepthNeverMaterials>(driver);
}

CTkGLVideoDriverExt::~CTkGLVideoDriverExt() = default;

int CTkGLVideoDriverExt::depthNeverMaterialType(int type) {
  return depthNever_ ? depthNever_->variantOf(type) : type;
}

// The colour half keeps whatever the display library's material chose.
void CTkGLVideoDriverExt::applyBlend() {
  GLint rgbSource = GL_ONE, rgbDestination = GL_ZERO, rgbEquation = GL_FUNC_ADD;
  glGetIntegerv(GL_BLEND_SRC_RGB, &rgbSource);
  glGetIntegerv(GL_BLEND_DST_RGB, &rgbDestination);
  glGetIntegerv(GL_BLEND_EQUATION_RGB, &rgbEquation);
  if (separateAlpha_) {
    glBlendFuncSeparate(rgbSource, rgbDestination, alphaSource_, alphaDestination_);
    glBlendEquationSeparate(rgbEquation, alphaOperation_);
  } else {
    glBlendFuncSeparate(rgbSource, rgbDestination, rgbSource, rgbDestination);
    glBlendEquationSeparate(rgbEquation, rgbEquation);
  }
}

void CTkGLVideoDriverExt::setSeparateAlphaBlendEnable(bool enable) {
  separateAlpha_ = enable;
  applyBlend();
}

void CTkGLVideoDriverExt::setSrcBlendAlpha(int factor) {
  alphaSource_ = glBlendFactorOf(factor);
  applyBlend();
}

void CTkGLVideoDriverExt::setAlphaBlend(int operation, int sourceFactor, int destinationFactor) {
  alphaOperation_ = glBlendOperationOf(operation);
  if (alphaOperation_ == 0) alphaOperation_ = GL_FUNC_ADD;
  alphaSource_ = glBlendFactorOf(sourceFactor);
  alphaDestination_ = glBlendFactorOf(destinationFactor);
  applyBlend();
}

void CTkGLVideoDriverExt::setBlendFactor(irr::video::SColor colour) {
  glBlendColor(channel(colour.getRed()), channel(colour.getGreen()), channel(colour.getBlue()),
               channel(colour.getAlpha()));
}

void CTkGLVideoDriverExt::setDepthBias(float bias, float slopeScale) {
  depthBias_ = bias;
  slopeScale_ = slopeScale;
  applyDepthBias();
}

void CTkGLVideoDriverExt::applyDepthBias() {
  if (depthBias_ == 0 && slopeScale_ == 0) {
    glDisable(GL_POLYGON_OFFSET_FILL);
    return;
  }
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(slopeScale_, depthBias_);
}

void CTkGLVideoDriverExt::applyDrawState() {
  if (separateAlpha_) applyBlend();
  if (depthBias_ != 0 || slopeScale_ != 0) applyDepthBias();
}

void CTkGLVideoDriverExt::setStencil(int value) {
  if (value) glEnable(GL_STENCIL_TEST);
  else glDisable(GL_STENCIL_TEST);
  stencilReference_ = value ? 1 : 0;
  glStencilFunc(stencilFunction_, stencilReference_, 0xFFFFFFFFu);
}

void CTkGLVideoDriverExt::setStencilPass(int operation) {
  GLenum pass = glStencilOperationOf(operation);
  glStencilOp(GL_KEEP, GL_KEEP, pass ? pass : GL_KEEP);
}

void CTkGLVideoDriverExt::setStencilFunc(int comparison) {
  GLenum function = glComparisonOf(comparison);
  stencilFunction_ = function ? function : GL_ALWAYS;
  glStencilFunc(stencilFunction_, stencilReference_, 0xFFFFFFFFu);
}

// Applied to the texture bound on that unit, the way a sampler state follows its unit.
void CTkGLVideoDriverExt::setSamplerBorderColor(int sampler, irr::video::SColor colour) {
  GLint active = GL_TEXTURE0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
  glActiveTexture(GL_TEXTURE0 + sampler);
  const float border[4] = {channel(colour.getRed()), channel(colour.getGreen()), channel(colour.getBlue()),
                           channel(colour.getAlpha())};
  glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
  glActiveTexture(active);
}

// The handle is an engine texture; anything else (no texture, a pointer that is
// not a live engine texture, a 2D texture or a volume) is of the wrong kind.
TkTextureLockHandle* CTkGLVideoDriverExt::lockCubeTexture(void* cubeTexture, int mode, int mipLevel, int face,
                                                          STkTextureLock* out) {
  CTkEngineTexture* cube = CTkEngineTexture::fromHandle(cubeTexture);
  if (!cube || cube->getKind() != ETK_TEXTURE_CUBE) {
    log(LOG_ERROR, "CTkGLVideoDriverExt::lockTexture only texture Cube supported");
    return nullptr;
  }
  if (!cube->isValidLevel(mipLevel, face)) {
    log(LOG_ERROR, "CTkGLVideoDriverExt::lockTexture Could not get surface level");
    return nullptr;
  }
  auto* handle = new TkTextureLockHandle(cube, mipLevel, face, mode != 1);
  if (!cube->readLevel(mipLevel, face, handle->texels.data())) {
    log(LOG_ERROR, "CTkGLVideoDriverExt::lockTexture Could not lock texture");
    delete handle;
    return nullptr;
  }
  out->width = cube->levelWidth(mipLevel);
  out->height = cube->levelHeight(mipLevel);
  out->pitch = static_cast<int32_t>(cube->levelPitch(mipLevel));
  out->data = handle->texels.data();
  return handle;
}

TkTextureLockHandle* CTkGLVideoDriverExt::lockTexture(irr::video::ITexture* texture, int mode, int mipLevel,
                                                      STkTextureLock* out) {
  if (!texture) {
    log(LOG_ERROR, "CTkGLVideoDriverExt::lockTexture only texture 2D supported");
    return nullptr;
  }
  if (mipLevel < 0 || mipLevel >= getMipLevelCount(texture)) {
    log(LOG_ERROR, "CTkGLVideoDriverExt::lockTexture Could not get surface level");
    return nullptr;
  }
  auto lockMode = mode == 1 ? irr::video::ETLM_READ_ONLY : irr::video::ETLM_READ_WRITE;
  void* data = texture->lock(lockMode, static_cast<irr::u32>(mipLevel));
  if (!data) {
    log(LOG_ERROR, "CTkGLVideoDriverExt::lockTexture Could not lock texture");
    return nullptr;
  }
  irr::core::dimension2du size = texture->getSize();
  out->width = std::max(1u, size.Width >> mipLevel);
  out->height = std::max(1u, size.Height >> mipLevel);
  out->pitch = static_cast<int32_t>(texture->getPitch() >> mipLevel);
  out->data = data;
  return new TkTextureLockHandle(texture);
}

void CTkGLVideoDriverExt::unlockTexture(TkTextureLockHandle* handle) {
  if (!handle) return;
  if (handle->kind == TkTextureLockHandle::DISPLAY_TEXTURE) {
    handle->texture->unlock();
  } else if (handle->writable) {
    handle->cube->uploadLevel(handle->level, handle->face, handle->texels.data());
  }
  delete handle;
}

int CTkGLVideoDriverExt::getMipLevelCount(irr::video::ITexture* texture) {
  if (!texture) return 0;
  if (!texture->hasMipMaps()) return 1;
  irr::core::dimension2du size = texture->getSize();
  int levels = 1;
  for (irr::u32 edge = std::max(size.Width, size.Height); edge > 1; edge >>= 1) ++levels;
  return levels;
}

}  // namespace tk
