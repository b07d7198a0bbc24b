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

void FrameKeeper::setBackBufferSurvivesSwap(bool survives) {
  secureKeptFrame();
  backBufferSurvivesSwap_ = survives;
}

bool FrameKeeper::ensureTarget(int width, int height) {
  if (framebuffer_ && width == targetWidth_ && height == targetHeight_) return true;
  deleteTarget();
  glGenFramebuffers(1, &framebuffer_);
  glGenRenderbuffers(1, &colour_);
  glBindRenderbuffer(GL_RENDERBUFFER, colour_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
  bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  targetWidth_ = width;
  targetHeight_ = height;
  if (!complete) deleteTarget();
  return complete;
}

void FrameKeeper::copyBackBuffer(int width, int height) {
  kept_ = Kept::kNothing;
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
  keptWidth_ = width;
  keptHeight_ = height;
  kept_ = Kept::kCopied;
}

void FrameKeeper::frameFinished(int width, int height) {
  if (!backBufferSurvivesSwap_) {
    copyBackBuffer(width, height);
    return;
  }
  kept_ = width > 0 && height > 0 ? Kept::kInBackBuffer : Kept::kNothing;
  keptWidth_ = width;
  keptHeight_ = height;
}

void FrameKeeper::keepBackBuffer(int width, int height) { copyBackBuffer(width, height); }

void FrameKeeper::secureKeptFrame() {
  if (kept_ == Kept::kInBackBuffer) copyBackBuffer(keptWidth_, keptHeight_);
}

bool FrameKeeper::readRgb(std::vector<uint8_t>* pixels, int* width, int* height) {
  if (kept_ == Kept::kNothing) return false;
  std::vector<uint8_t> bottomUp(static_cast<size_t>(keptWidth_) * keptHeight_ * 3);
  GLint packAlignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  if (kept_ == Kept::kCopied) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  } else {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
  }
  glReadPixels(0, 0, keptWidth_, keptHeight_, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
  // GL rows run bottom-up; images are stored top row first.
  size_t row = static_cast<size_t>(keptWidth_) * 3;
  pixels->resize(bottomUp.size());
  for (int y = 0; y < keptHeight_; ++y)
    memcpy(pixels->data() + row * y, bottomUp.data() + row * (keptHeight_ - 1 - y), row);
  *width = keptWidth_;
  *height = keptHeight_;
  return true;
}

void FrameKeeper::deleteTarget() {
  if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
  if (colour_) glDeleteRenderbuffers(1, &colour_);
  framebuffer_ = 0;
  colour_ = 0;
  targetWidth_ = targetHeight_ = 0;
}

void FrameKeeper::release() {
  deleteTarget();
  kept_ = Kept::kNothing;
  backBufferSurvivesSwap_ = false;
}

}  // namespace tk
