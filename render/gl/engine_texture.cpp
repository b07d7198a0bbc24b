#include "render/gl/engine_texture.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstring>
#include <unordered_set>
#include <vector>

#include "base/log.h"
#include "render/gl/gl_pixel_store.h"

namespace tk {

namespace {

struct GlFormat {
  GLenum internal, layout, type;
  size_t bytes;
};

// 8-bit texels go through GL as BGRA bytes, which is the display library's
// A8R8G8B8 word (0xAARRGGBB) in memory: locks and uploads share its layout.
GlFormat glFormatOf(ETkTextureFormat format) {
  switch (format) {
    case ETF_RGBA8: return {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, 4};
    case ETF_SRGBA8: return {GL_SRGB8_ALPHA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, 4};
    case ETF_RGBA16F: return {GL_RGBA16F, GL_RGBA, GL_HALF_FLOAT, 8};
    case ETF_RGBA32F: return {GL_RGBA32F, GL_RGBA, GL_FLOAT, 16};
    case ETF_R32F: return {GL_R32F, GL_RED, GL_FLOAT, 4};
    case ETF_DEPTH: return {GL_DEPTH_COMPONENT32F, GL_DEPTH_COMPONENT, GL_FLOAT, 4};
  }
  return {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, 4};
}

GLenum glTargetOf(ETkTextureKind kind) {
  switch (kind) {
    case ETK_TEXTURE_CUBE: return GL_TEXTURE_CUBE_MAP;
    case ETK_TEXTURE_VOLUME: return GL_TEXTURE_3D;
    default: return GL_TEXTURE_2D;
  }
}

GLenum bindingQueryOf(ETkTextureKind kind) {
  switch (kind) {
    case ETK_TEXTURE_CUBE: return GL_TEXTURE_BINDING_CUBE_MAP;
    case ETK_TEXTURE_VOLUME: return GL_TEXTURE_BINDING_3D;
    default: return GL_TEXTURE_BINDING_2D;
  }
}

std::unordered_set<const CTkEngineTexture*>& liveTextures() {
  static std::unordered_set<const CTkEngineTexture*> live;
  return live;
}

int fullChainLength(int width, int height, int depth) {
  int levels = 1;
  for (int edge = std::max({width, height, depth}); edge > 1; edge >>= 1) ++levels;
  return levels;
}

// Pending errors belong to earlier calls: forget them before checking ours.
void forgetGlErrors() {
  for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
  }
}

bool glSucceeded() { return glGetError() == GL_NO_ERROR; }

// Why a description cannot be made, or null when it can.
const char* descriptionFault(const STkEngineTextureDesc& d, int* chain) {
  if (d.width < 1 || d.height < 1 || d.depth < 1) return "bad size";
  if (d.kind != ETK_TEXTURE_VOLUME && d.depth != 1) return "only volumes have slices";
  if (d.kind == ETK_TEXTURE_CUBE && d.width != d.height) return "cube faces must be square";
  if (d.format == ETF_DEPTH && d.kind == ETK_TEXTURE_VOLUME) return "no depth volume";
  if (d.ownDepth && (d.kind == ETK_TEXTURE_VOLUME || d.format == ETF_DEPTH)) {
    return "an own depth buffer needs a 2D or cube colour texture";
  }
  *chain = fullChainLength(d.width, d.height, d.depth);
  if (d.mipLevels < 0 || d.mipLevels > *chain) return "more mip levels than the size allows";
  if (epoxy_gl_version() < 45 && !epoxy_has_gl_extension("GL_ARB_direct_state_access")) {
    return "GL direct state access (OpenGL 4.5) is missing";
  }
  return nullptr;
}

// The texels of an image as `format` lays them out, rows tightly packed.
std::vector<uint8_t> texelsOf(irr::video::IImage* image, ETkTextureFormat format) {
  const irr::core::dimension2du size = image->getDimension();
  const size_t row = size.Width * bytesPerTexel(format);
  std::vector<uint8_t> texels(row * size.Height);
  const bool converted = (format == ETF_RGBA8 || format == ETF_SRGBA8) &&
                         image->getColorFormat() != irr::video::ECF_A8R8G8B8;
  if (converted) {
    auto* out = reinterpret_cast<uint32_t*>(texels.data());
    for (irr::u32 y = 0; y < size.Height; ++y) {
      for (irr::u32 x = 0; x < size.Width; ++x) *out++ = image->getPixel(x, y).color;
    }
    return texels;
  }
  const auto* source = static_cast<const uint8_t*>(image->lock());
  for (irr::u32 y = 0; y < size.Height; ++y) std::memcpy(&texels[y * row], source + y * image->getPitch(), row);
  image->unlock();
  return texels;
}

}  // namespace

bool engineTextureFormatOf(irr::video::ECOLOR_FORMAT format, ETkTextureFormat* out) {
  switch (format) {
    case irr::video::ECF_A1R5G5B5:
    case irr::video::ECF_R5G6B5:
    case irr::video::ECF_R8G8B8:
    case irr::video::ECF_A8R8G8B8: *out = ETF_RGBA8; return true;
    case irr::video::ECF_A16B16G16R16F: *out = ETF_RGBA16F; return true;
    case irr::video::ECF_A32B32G32R32F: *out = ETF_RGBA32F; return true;
    case irr::video::ECF_R32F: *out = ETF_R32F; return true;
    default: return false;
  }
}

size_t bytesPerTexel(ETkTextureFormat format) { return glFormatOf(format).bytes; }

CTkEngineTexture::CTkEngineTexture(const STkEngineTextureDesc& desc, int mipLevels)
    : name_(desc.name),
      kind_(desc.kind),
      format_(desc.format),
      width_(desc.width),
      height_(desc.height),
      depth_(desc.depth),
      mipLevels_(mipLevels) {
  liveTextures().insert(this);
}

CTkEngineTexture::~CTkEngineTexture() {
  liveTextures().erase(this);
  if (depthBuffer_) glDeleteRenderbuffers(1, &depthBuffer_);
  if (glName_) glDeleteTextures(1, &glName_);
}

CTkEngineTexture* CTkEngineTexture::create(const STkEngineTextureDesc& desc) {
  int chain = 0;
  if (const char* fault = descriptionFault(desc, &chain)) {
    log(LOG_ERROR, "CTkEngineTexture '%s': %s", desc.name.c_str(), fault);
    return nullptr;
  }
  auto* texture = new CTkEngineTexture(desc, desc.mipLevels == 0 ? chain : desc.mipLevels);
  if (!texture->allocate(desc.ownDepth)) {
    log(LOG_ERROR, "CTkEngineTexture '%s': GL could not allocate %d x %d x %d", desc.name.c_str(), desc.width,
        desc.height, desc.depth);
    texture->drop();
    return nullptr;
  }
  return texture;
}

bool CTkEngineTexture::allocate(bool ownDepth) {
  const GlFormat gl = glFormatOf(format_);
  forgetGlErrors();
  glCreateTextures(getGLTarget(), 1, &glName_);
  if (kind_ == ETK_TEXTURE_VOLUME) glTextureStorage3D(glName_, mipLevels_, gl.internal, width_, height_, depth_);
  else glTextureStorage2D(glName_, mipLevels_, gl.internal, width_, height_);
  if (!glSucceeded()) return false;
  const GLint wrap = kind_ == ETK_TEXTURE_CUBE ? GL_CLAMP_TO_EDGE : GL_REPEAT;
  glTextureParameteri(glName_, GL_TEXTURE_WRAP_S, wrap);
  glTextureParameteri(glName_, GL_TEXTURE_WRAP_T, wrap);
  glTextureParameteri(glName_, GL_TEXTURE_WRAP_R, wrap);
  glTextureParameteri(glName_, GL_TEXTURE_MIN_FILTER, mipLevels_ > 1 ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  glTextureParameteri(glName_, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  if (format_ == ETF_SRGBA8) setSrgbDecode(false);
  // Storage starts undefined; a fresh texture reads as zeros.
  for (int level = 0; level < mipLevels_; ++level) glClearTexImage(glName_, level, gl.layout, gl.type, nullptr);
  if (ownDepth) {
    glCreateRenderbuffers(1, &depthBuffer_);
    glNamedRenderbufferStorage(depthBuffer_, GL_DEPTH24_STENCIL8, width_, height_);
  }
  return glSucceeded();
}

CTkEngineTexture* CTkEngineTexture::createWithLevel0(const STkEngineTextureDesc& desc, const void* texels) {
  CTkEngineTexture* texture = create(desc);
  if (!texture) return nullptr;
  if (!texture->uploadLevel(0, 0, texels)) {
    texture->drop();
    return nullptr;
  }
  if (texture->mipLevels_ > 1) texture->generateMipmaps();
  return texture;
}

CTkEngineTexture* CTkEngineTexture::create2D(const std::string& name, ETkTextureFormat format, int width, int height,
                                             const void* texels, int mipLevels) {
  STkEngineTextureDesc desc;
  desc.name = name;
  desc.format = format;
  desc.width = width;
  desc.height = height;
  desc.mipLevels = mipLevels;
  return createWithLevel0(desc, texels);
}

CTkEngineTexture* CTkEngineTexture::createVolume(const std::string& name, ETkTextureFormat format, int width,
                                                 int height, int depth, const void* texels, int mipLevels) {
  STkEngineTextureDesc desc;
  desc.name = name;
  desc.kind = ETK_TEXTURE_VOLUME;
  desc.format = format;
  desc.width = width;
  desc.height = height;
  desc.depth = depth;
  desc.mipLevels = mipLevels;
  return createWithLevel0(desc, texels);
}

CTkEngineTexture* CTkEngineTexture::createCube(const std::string& name, irr::video::IImage* const faces[6],
                                               bool mipMaps, bool srgb) {
  for (int face = 0; face < 6; ++face) {
    if (!faces[face]) {
      log(LOG_ERROR, "CTkEngineTexture '%s': cube face %d has no image", name.c_str(), face);
      return nullptr;
    }
    if (faces[face]->getDimension() != faces[0]->getDimension() ||
        faces[face]->getColorFormat() != faces[0]->getColorFormat()) {
      log(LOG_ERROR, "CTkEngineTexture '%s': cube face %d differs in size or format from face 0", name.c_str(), face);
      return nullptr;
    }
  }
  STkEngineTextureDesc desc;
  desc.name = name;
  desc.kind = ETK_TEXTURE_CUBE;
  if (!engineTextureFormatOf(faces[0]->getColorFormat(), &desc.format)) {
    log(LOG_ERROR, "CTkEngineTexture '%s': no cube of image format %d", name.c_str(),
        static_cast<int>(faces[0]->getColorFormat()));
    return nullptr;
  }
  if (srgb && desc.format == ETF_RGBA8) desc.format = ETF_SRGBA8;
  desc.width = static_cast<int>(faces[0]->getDimension().Width);
  desc.height = static_cast<int>(faces[0]->getDimension().Height);
  desc.mipLevels = mipMaps ? 0 : 1;
  CTkEngineTexture* texture = create(desc);
  if (!texture) return nullptr;
  for (int face = 0; face < 6; ++face) {
    if (!texture->uploadLevel(0, face, texelsOf(faces[face], desc.format).data())) {
      texture->drop();
      return nullptr;
    }
  }
  if (texture->mipLevels_ > 1) texture->generateMipmaps();
  return texture;
}

CTkEngineTexture* CTkEngineTexture::fromHandle(void* handle) {
  auto* texture = static_cast<CTkEngineTexture*>(handle);
  return liveTextures().count(texture) ? texture : nullptr;
}

unsigned CTkEngineTexture::getGLTarget() const { return glTargetOf(kind_); }

int CTkEngineTexture::levelWidth(int level) const { return std::max(1, width_ >> level); }
int CTkEngineTexture::levelHeight(int level) const { return std::max(1, height_ >> level); }
int CTkEngineTexture::levelDepth(int level) const {
  return kind_ == ETK_TEXTURE_VOLUME ? std::max(1, depth_ >> level) : 1;
}
size_t CTkEngineTexture::levelPitch(int level) const { return levelWidth(level) * bytesPerTexel(format_); }
size_t CTkEngineTexture::levelBytes(int level) const {
  return levelPitch(level) * levelHeight(level) * levelDepth(level);
}

bool CTkEngineTexture::isValidLevel(int level, int face) const {
  return level >= 0 && level < mipLevels_ && face >= 0 && face < getFaceCount();
}

bool CTkEngineTexture::uploadLevel(int level, int face, const void* texels) {
  if (!isValidLevel(level, face) || !texels) {
    log(LOG_ERROR, "CTkEngineTexture '%s': cannot write level %d of face %d", name_.c_str(), level, face);
    return false;
  }
  const GlFormat gl = glFormatOf(format_);
  TightPixelStore store;
  forgetGlErrors();
  if (kind_ == ETK_TEXTURE_2D) {
    glTextureSubImage2D(glName_, level, 0, 0, levelWidth(level), levelHeight(level), gl.layout, gl.type, texels);
  } else {
    // A cube face is layer `face` of the cube seen as six layers.
    glTextureSubImage3D(glName_, level, 0, 0, kind_ == ETK_TEXTURE_CUBE ? face : 0, levelWidth(level),
                        levelHeight(level), levelDepth(level), gl.layout, gl.type, texels);
  }
  if (glSucceeded()) return true;
  log(LOG_ERROR, "CTkEngineTexture '%s': GL refused level %d of face %d", name_.c_str(), level, face);
  return false;
}

bool CTkEngineTexture::readLevel(int level, int face, void* texels) const {
  if (!isValidLevel(level, face) || !texels) return false;
  const GlFormat gl = glFormatOf(format_);
  const auto bytes = static_cast<GLsizei>(levelBytes(level));
  TightPixelStore store;
  forgetGlErrors();
  if (kind_ == ETK_TEXTURE_CUBE) {
    glGetTextureSubImage(glName_, level, 0, 0, face, levelWidth(level), levelHeight(level), 1, gl.layout, gl.type,
                         bytes, texels);
  } else {
    glGetTextureImage(glName_, level, gl.layout, gl.type, bytes, texels);
  }
  return glSucceeded();
}

void CTkEngineTexture::generateMipmaps() { glGenerateTextureMipmap(glName_); }

void CTkEngineTexture::setSrgbDecode(bool decode) {
  if (format_ != ETF_SRGBA8 || !epoxy_has_gl_extension("GL_EXT_texture_sRGB_decode")) return;
  glTextureParameteri(glName_, GL_TEXTURE_SRGB_DECODE_EXT, decode ? GL_DECODE_EXT : GL_SKIP_DECODE_EXT);
}

void CTkEngineTexture::bindToUnit(unsigned unit) const { glBindTextureUnit(unit, glName_); }

void CTkEngineTexture::unbindFromUnit(unsigned unit) const {
  GLint active = GL_TEXTURE0, bound = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
  glActiveTexture(GL_TEXTURE0 + unit);
  glGetIntegerv(bindingQueryOf(kind_), &bound);
  if (static_cast<GLuint>(bound) == glName_) glBindTexture(getGLTarget(), 0);
  glActiveTexture(active);
}

}  // namespace tk
