#include "render/gl/gl_pixel_store.h"

#include <epoxy/gl.h>

namespace tk {

namespace {

// Each setting with the value that means "rows tightly packed, from the start".
struct Setting {
  GLenum name;
  GLint tight;
};
constexpr Setting kTight[] = {
    {GL_PACK_ALIGNMENT, 1},    {GL_PACK_ROW_LENGTH, 0},    {GL_PACK_IMAGE_HEIGHT, 0},   {GL_PACK_SKIP_ROWS, 0},
    {GL_PACK_SKIP_PIXELS, 0},  {GL_PACK_SKIP_IMAGES, 0},   {GL_UNPACK_ALIGNMENT, 1},    {GL_UNPACK_ROW_LENGTH, 0},
    {GL_UNPACK_IMAGE_HEIGHT, 0}, {GL_UNPACK_SKIP_ROWS, 0}, {GL_UNPACK_SKIP_PIXELS, 0}, {GL_UNPACK_SKIP_IMAGES, 0},
};
static_assert(sizeof kTight / sizeof kTight[0] == 12, "one saved value per setting");

}  // namespace

TightPixelStore::TightPixelStore() {
  for (int i = 0; i < kSettings; ++i) {
    glGetIntegerv(kTight[i].name, &saved_[i]);
    glPixelStorei(kTight[i].name, kTight[i].tight);
  }
  // With a pixel buffer bound, GL would take our pointers for offsets into it.
  glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &packBuffer_);
  glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &unpackBuffer_);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
}

TightPixelStore::~TightPixelStore() {
  for (int i = 0; i < kSettings; ++i) glPixelStorei(kTight[i].name, saved_[i]);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, packBuffer_);
  glBindBuffer(GL_PIXEL_UNPACK_BUFFER, unpackBuffer_);
}

}  // namespace tk
