#include "platform/screenshot/frame_keeper.h"

#include <epoxy/gl.h>

#include <cstring>

namespace tk {

FrameKeeper& frameKeeper() {
  static FrameKeeper keeper;
  return keeper;
}

FrameKeeper::~FrameKeeper() {
  // The GL context may already be gone at process end: objects are not deleted here.
}

bool FrameKeeper::ensureTarget(int width, int height) {
  if (framebuffer_ && width == width_ && height == height_) return true;
  release();
  glGenFramebuffers(1, &framebuffer_);
  glGenRenderbuffers(1, &colour_);
  glBindRenderbuffer(GL_RENDERBUFFER, colour_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
  bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  width_ = width;
  height_ = height;
  if (!complete) release();
  return complete;
}

void FrameKeeper::keepBackBuffer(int width, int height) {
  if (width <= 0 || height <= 0 || !ensureTarget(width, height)) return;
  GLint drawBuffer = GL_BACK;
  glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glReadBuffer(GL_BACK);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer_);
  glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  // Back to the default framebuffer the display library expects.
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glDrawBuffer(drawBuffer);
  kept_ = true;
}

bool FrameKeeper::readRgb(std::vector<uint8_t>* pixels, int* width, int* height) {
  if (!kept_ || !framebuffer_) return false;
  std::vector<uint8_t> bottomUp(static_cast<size_t>(width_) * height_ * 3);
  GLint packAlignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
  // GL rows run bottom-up; images are stored top row first.
  size_t row = static_cast<size_t>(width_) * 3;
  pixels->resize(bottomUp.size());
  for (int y = 0; y < height_; ++y)
    memcpy(pixels->data() + row * y, bottomUp.data() + row * (height_ - 1 - y), row);
  *width = width_;
  *height = height_;
  return true;
}

void FrameKeeper::release() {
  if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
  if (colour_) glDeleteRenderbuffers(1, &colour_);
  framebuffer_ = 0;
  colour_ = 0;
  kept_ = false;
}

}  // namespace tk
