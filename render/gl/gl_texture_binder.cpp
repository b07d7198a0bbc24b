#include "render/gl/gl_texture_binder.h"

#include <algorithm>

#include "render/gl/engine_texture.h"
#include "render/gl/gl_texture_name.h"

namespace tk {
namespace {

GLenum glWrapOf(int code) {
  switch (code) {
    case 1:
    case 2: return GL_CLAMP_TO_EDGE;
    case 3: return GL_CLAMP_TO_BORDER;
    case 4: return GL_MIRRORED_REPEAT;
    case 5:
    case 6:
    case 7: return GL_MIRROR_CLAMP_TO_EDGE;
    default: return GL_REPEAT;
  }
}

GLenum minFilterOf(const STkTextureLayer& layer, bool mipMaps) {
  if (!mipMaps) return layer.bilinear ? GL_LINEAR : GL_NEAREST;
  if (layer.trilinear) return GL_LINEAR_MIPMAP_LINEAR;
  return layer.bilinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
}

}  // namespace

CTkGLTextureBinder::~CTkGLTextureBinder() {
  if (readFramebuffer_) {
    glDeleteFramebuffers(1, &readFramebuffer_);
    glDeleteFramebuffers(1, &drawFramebuffer_);
  }
  for (auto& [key, sampler] : samplers_) glDeleteSamplers(1, &sampler);
  for (auto& [texture, twin] : twins_) glDeleteTextures(1, &twin.name);
}

GLuint CTkGLTextureBinder::samplerFor(const STkTextureLayer& layer, bool mipMaps) {
  const SamplerKey key{layer.wrapU, layer.wrapV, layer.bilinear, layer.trilinear, layer.anisotropy, mipMaps,
                       layer.whiteBorder};
  auto found = samplers_.find(key);
  if (found != samplers_.end()) return found->second;
  GLuint sampler = 0;
  glGenSamplers(1, &sampler);
  glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, glWrapOf(layer.wrapU));
  glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, glWrapOf(layer.wrapV));
  glSamplerParameteri(sampler, GL_TEXTURE_WRAP_R, glWrapOf(layer.wrapU));
  glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, minFilterOf(layer, mipMaps));
  glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, layer.bilinear ? GL_LINEAR : GL_NEAREST);
  if (layer.anisotropy > 0)
    glSamplerParameterf(sampler, GL_TEXTURE_MAX_ANISOTROPY_EXT, static_cast<float>(layer.anisotropy));
  if (layer.whiteBorder) {
    const float white[4] = {1, 1, 1, 1};
    glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, white);
  }
  samplers_[key] = sampler;
  return sampler;
}

// An 8-bit RGBA texture copied into an sRGB texture of the same size, made
// once per texture (a texture of another format reads as it is). Render
// targets change every frame, so their twin is copied again at each bind.
GLuint CTkGLTextureBinder::sRGBTwinOf(irr::video::ITexture* texture, GLuint linear) {
  Twin& twin = twins_[texture];
  if (twin.source != linear) makeTwin(&twin, linear);
  if (!twin.name) return linear;
  if (twin.fresh || texture->isRenderTarget()) {
    copyBytes(linear, twin);
    twin.fresh = false;
  }
  return twin.name;
}

// The display library's textures have unsized formats, which image copies
// refuse: the bytes go through a blit between two framebuffers of the
// binder's own, which leaves every binding the library keeps as it was. The
// blit writes them unconverted (sRGB writes are off), so the twin decodes them.
void CTkGLTextureBinder::copyBytes(GLuint linear, const Twin& twin) {
  if (!readFramebuffer_) {
    glCreateFramebuffers(1, &readFramebuffer_);
    glCreateFramebuffers(1, &drawFramebuffer_);
  }
  glNamedFramebufferTexture(readFramebuffer_, GL_COLOR_ATTACHMENT0, linear, 0);
  glNamedFramebufferTexture(drawFramebuffer_, GL_COLOR_ATTACHMENT0, twin.name, 0);
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  glDisable(GL_SCISSOR_TEST);
  glBlitNamedFramebuffer(readFramebuffer_, drawFramebuffer_, 0, 0, twin.width, twin.height, 0, 0, twin.width,
                         twin.height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  if (scissor) glEnable(GL_SCISSOR_TEST);
  glGenerateTextureMipmap(twin.name);
}

void CTkGLTextureBinder::makeTwin(Twin* twin, GLuint linear) {
  if (twin->name) glDeleteTextures(1, &twin->name);
  *twin = Twin();
  twin->source = linear;
  GLint format = 0;
  glBindTexture(GL_TEXTURE_2D, linear);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &twin->width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &twin->height);
  if (format != GL_RGBA8 && format != GL_RGBA) return;
  glGenTextures(1, &twin->name);
  glBindTexture(GL_TEXTURE_2D, twin->name);
  int levels = 1;
  for (int edge = std::max(twin->width, twin->height); edge > 1; edge >>= 1) ++levels;
  glTexStorage2D(GL_TEXTURE_2D, levels, GL_SRGB8_ALPHA8, twin->width, twin->height);
  twin->fresh = true;
}

void CTkGLTextureBinder::bind(int unit, const STkTextureLayer& layer) {
  if (layer.engineTexture) {
    bindEngineTexture(unit, layer);
    return;
  }
  glActiveTexture(GL_TEXTURE0 + unit);
  GLuint name = layer.texture ? glTextureNameOf(layer.texture) : 0;
  if (name && layer.sRGB) name = sRGBTwinOf(layer.texture, name);
  glBindTexture(GL_TEXTURE_2D, name);
  const bool mipMaps = layer.texture && (layer.texture->hasMipMaps() || (layer.sRGB && name));
  glBindSampler(unit, name ? samplerFor(layer, mipMaps) : 0);
}

// Engine textures carry their own kind; an sRGB one decodes when the layer asks.
void CTkGLTextureBinder::bindEngineTexture(int unit, const STkTextureLayer& layer) {
  CTkEngineTexture* texture = layer.engineTexture;
  if (texture->getFormat() == ETF_SRGBA8) texture->setSrgbDecode(layer.sRGB);
  texture->bindToUnit(static_cast<unsigned>(unit));
  glBindSampler(unit, samplerFor(layer, texture->getMipLevelCount() > 1));
}

void CTkGLTextureBinder::forget(irr::video::ITexture* texture) {
  auto found = twins_.find(texture);
  if (found == twins_.end()) return;
  glDeleteTextures(1, &found->second.name);
  twins_.erase(found);
}

}  // namespace tk
