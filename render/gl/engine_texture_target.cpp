#include "render/gl/engine_texture_target.h"

#include <epoxy/gl.h>

#include "base/log.h"

namespace tk {

CTkEngineTextureTarget::CTkEngineTextureTarget() {
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer_);
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer_);
  glGetIntegerv(GL_VIEWPORT, viewport_);
  glGetIntegerv(GL_CLIP_ORIGIN, &clipOrigin_);
  glGetIntegerv(GL_CLIP_DEPTH_MODE, &clipDepth_);
}

CTkEngineTextureTarget::~CTkEngineTextureTarget() {
  restore();
  if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
}

bool CTkEngineTextureTarget::bind(CTkEngineTexture* texture, int face, int level) {
  if (!texture || texture->getKind() == ETK_TEXTURE_VOLUME || !texture->isValidLevel(level, face)) {
    log(LOG_ERROR, "CTkEngineTextureTarget: cannot draw into level %d of face %d of '%s'", level, face,
        texture ? texture->getName().c_str() : "");
    return false;
  }
  if (!framebuffer_) glCreateFramebuffers(1, &framebuffer_);
  const GLuint name = texture->getGLName();
  const bool depthOnly = texture->getFormat() == ETF_DEPTH;
  const GLenum imageAttachment = depthOnly ? GL_DEPTH_ATTACHMENT : GL_COLOR_ATTACHMENT0;
  // The attachment not taken by the image is cleared out of the framebuffer.
  if (depthOnly) glNamedFramebufferTexture(framebuffer_, GL_COLOR_ATTACHMENT0, 0, 0);
  glNamedFramebufferRenderbuffer(framebuffer_, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
  if (texture->getKind() == ETK_TEXTURE_CUBE) {
    glNamedFramebufferTextureLayer(framebuffer_, imageAttachment, name, level, face);
  } else {
    glNamedFramebufferTexture(framebuffer_, imageAttachment, name, level);
  }
  if (texture->hasOwnDepth()) {
    glNamedFramebufferRenderbuffer(framebuffer_, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                   texture->getDepthBuffer());
  }
  glNamedFramebufferDrawBuffer(framebuffer_, depthOnly ? GL_NONE : GL_COLOR_ATTACHMENT0);
  glNamedFramebufferReadBuffer(framebuffer_, depthOnly ? GL_NONE : GL_COLOR_ATTACHMENT0);
  if (glCheckNamedFramebufferStatus(framebuffer_, GL_DRAW_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    log(LOG_ERROR, "CTkEngineTextureTarget: level %d of face %d of '%s' cannot be drawn into", level, face,
        texture->getName().c_str());
    restore();
    return false;
  }
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glViewport(0, 0, texture->levelWidth(level), texture->levelHeight(level));
  // Row 0 is the top of every engine texture image: the top of the view goes there.
  glClipControl(GL_UPPER_LEFT, clipDepth_);
  bound_ = true;
  return true;
}

void CTkEngineTextureTarget::restore() {
  if (!bound_) return;
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer_);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, readFramebuffer_);
  glViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
  glClipControl(clipOrigin_, clipDepth_);
  bound_ = false;
}

}  // namespace tk
