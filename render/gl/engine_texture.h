#pragma once
// Textures the display library cannot make: cube and volume textures, float
// textures filled from data, mip chains under the engine's control, render
// targets by face and level, and targets with their own depth buffer. Each is
// a GL texture of the display library's context owned by the engine; it is
// never handed to the display library as one of its textures (its GL driver
// takes every texture it binds for one of its own). The engine binds them on
// units 4 and above, which the display library never touches.
//
// Image orientation, the same for every engine texture and every level:
//   - Row 0 of a level is the TOP row of the image. Data given to and read
//     from a texture (uploads, read-backs, locks) starts with that row, and
//     texture coordinate v = 0 addresses it, as Direct3D's texture coordinates
//     do: u grows to the right, v grows downwards.
//   - Drawing into a texture (CTkEngineTextureTarget) keeps that: clip-space
//     y = +1, the top of the view, lands in row 0. See engine_texture_target.h.
//   - Cube faces are numbered in Direct3D order, 0 +X, 1 -X, 2 +Y, 3 -Y, 4 +Z,
//     5 -Z, and laid out in memory as Direct3D lays them out, which is also
//     how GL samples them: a face seen from the centre through a left-handed
//     camera looking along the face axis, with up (0, 1, 0) for the four side
//     faces, (0, 0, -1) for +Y and (0, 0, 1) for -Y, has the top-left of that
//     view in row 0, column 0. Rendering a face through such a camera into
//     the face as target gives a cube that samples the scene as seen.
//   - The display library's own render targets are stored bottom-up (it flips
//     their texture coordinates itself); the screen is read back bottom-up.
//
// Reference counted like the display library's objects: `create...` answers
// a texture with one reference; grab() and drop() as usual. The GL objects are
// deleted with the last reference, so drop every engine texture while the
// display device (and its GL context) still exists. Main thread only.

#include <irrlicht.h>

#include <cstddef>
#include <string>

namespace tk {

enum ETkTextureKind {
  ETK_TEXTURE_2D = 0,
  ETK_TEXTURE_CUBE = 1,
  ETK_TEXTURE_VOLUME = 2,
};

// Texel layouts of data given to and read from a texture (rows tightly packed):
enum ETkTextureFormat {
  ETF_RGBA8 = 0,    // one 32-bit 0xAARRGGBB per texel, the display library's A8R8G8B8
  ETF_SRGBA8 = 1,   // as ETF_RGBA8; sampling may decode sRGB (setSrgbDecode)
  ETF_RGBA16F = 2,  // four 16-bit floats, R first
  ETF_RGBA32F = 3,  // four 32-bit floats, R first
  ETF_R32F = 4,     // one 32-bit float
  ETF_DEPTH = 5,    // one 32-bit float depth; as a target it is the depth buffer
};

// The engine format that holds a display-library colour format without loss:
// 8-bit formats become ETF_RGBA8, the float RGBA and R32F formats their own.
// False for the formats no engine texture holds (R16F, G16R16F, G32R32F).
bool engineTextureFormatOf(irr::video::ECOLOR_FORMAT format, ETkTextureFormat* out);

size_t bytesPerTexel(ETkTextureFormat format);

struct STkEngineTextureDesc {
  std::string name;
  ETkTextureKind kind = ETK_TEXTURE_2D;
  ETkTextureFormat format = ETF_RGBA8;
  int width = 1;
  int height = 1;  // cube faces are square: height must equal width
  int depth = 1;   // slices of a volume; 1 for the other kinds
  int mipLevels = 1;  // 0: the full chain down to 1 x 1
  bool ownDepth = false;  // a depth-stencil buffer used when drawing into it
};

class CTkEngineTexture : public irr::IReferenceCounted {
 public:
  // Every level zeroed. Null and an error line when the description is
  // unusable or GL refuses it.
  static CTkEngineTexture* create(const STkEngineTextureDesc& desc);
  // A 2D texture whose level 0 is `texels`; further levels are generated.
  static CTkEngineTexture* create2D(const std::string& name, ETkTextureFormat format, int width, int height,
                                    const void* texels, int mipLevels = 1);
  // A volume whose level 0 is `texels`, slice after slice (slice z starts at
  // z * height rows); further levels are generated.
  static CTkEngineTexture* createVolume(const std::string& name, ETkTextureFormat format, int width, int height,
                                        int depth, const void* texels, int mipLevels = 1);
  // A cube from six square images of one size and format, in face order.
  // 8-bit images of any layout become ETF_RGBA8 (ETF_SRGBA8 when asked);
  // float images keep their format. With `mipMaps` the full chain is generated.
  static CTkEngineTexture* createCube(const std::string& name, irr::video::IImage* const faces[6], bool mipMaps,
                                      bool srgb = false);

  // A live engine texture behind an untyped handle, else null.
  static CTkEngineTexture* fromHandle(void* handle);

  const std::string& getName() const { return name_; }
  ETkTextureKind getKind() const { return kind_; }
  ETkTextureFormat getFormat() const { return format_; }
  int getWidth() const { return width_; }
  int getHeight() const { return height_; }
  int getDepth() const { return depth_; }
  int getMipLevelCount() const { return mipLevels_; }
  unsigned getGLName() const { return glName_; }
  unsigned getGLTarget() const;
  // The depth-stencil renderbuffer drawn with, 0 without one.
  unsigned getDepthBuffer() const { return depthBuffer_; }
  bool hasOwnDepth() const { return depthBuffer_ != 0; }
  int getFaceCount() const { return kind_ == ETK_TEXTURE_CUBE ? 6 : 1; }

  // Sizes of a level (1 at least); bytes of one row and of one face or
  // volume level, rows tightly packed.
  int levelWidth(int level) const;
  int levelHeight(int level) const;
  int levelDepth(int level) const;
  size_t levelPitch(int level) const;
  size_t levelBytes(int level) const;
  bool isValidLevel(int level, int face) const;

  // Replaces one level of one face (face 0 for 2D and volumes, a whole
  // volume level at once) with texels in the format's layout.
  bool uploadLevel(int level, int face, const void* texels);
  // Reads one level of one face into `texels` (levelBytes(level) bytes).
  bool readLevel(int level, int face, void* texels) const;
  // Levels 1 and above computed from level 0.
  void generateMipmaps();
  // ETF_SRGBA8 only: whether sampling converts sRGB to linear (off at start).
  void setSrgbDecode(bool decode);

  // Binds on a texture unit (4 and above outside the engine's own material
  // renderer) without changing the active unit; unbind takes only this kind's
  // binding off, leaving the unit's 2D binding the display library keeps.
  void bindToUnit(unsigned unit) const;
  void unbindFromUnit(unsigned unit) const;

 private:
  CTkEngineTexture(const STkEngineTextureDesc& desc, int mipLevels);
  ~CTkEngineTexture() override;
  static CTkEngineTexture* createWithLevel0(const STkEngineTextureDesc& desc, const void* texels);
  bool allocate(bool ownDepth);

  std::string name_;
  ETkTextureKind kind_;
  ETkTextureFormat format_;
  int width_, height_, depth_;
  int mipLevels_;
  unsigned glName_ = 0;
  unsigned depthBuffer_ = 0;
};

}  // namespace tk
