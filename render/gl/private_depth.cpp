#include "render/gl/private_depth.h"

#include <epoxy/gl.h>

namespace tk {
namespace {

int attachmentParameter(GLuint framebuffer, GLenum attachment, GLenum parameter) {
  GLint value = 0;
  glGetNamedFramebufferAttachmentParameteriv(framebuffer, attachment, parameter, &value);
  return value;
}

void attachDepth(GLuint framebuffer, GLenum attachment, int type, int name) {
  if (type == GL_TEXTURE) {
    glNamedFramebufferTexture(framebuffer, attachment, static_cast<GLuint>(name), 0);
  } else {
    glNamedFramebufferRenderbuffer(framebuffer, attachment, GL_RENDERBUFFER,
                                   type == GL_RENDERBUFFER ? static_cast<GLuint>(name) : 0);
  }
}

}  // namespace

CTkGLPrivateDepth::~CTkGLPrivateDepth() {
  detach();
  if (renderbuffer_) glDeleteRenderbuffers(1, &renderbuffer_);
}

bool CTkGLPrivateDepth::fitToSize(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  if (renderbuffer_ && width == width_ && height == height_) return true;
  if (!renderbuffer_) glCreateRenderbuffers(1, &renderbuffer_);
  glNamedRenderbufferStorage(renderbuffer_, GL_DEPTH_COMPONENT24, width, height);
  width_ = width;
  height_ = height;
  return true;
}

bool CTkGLPrivateDepth::attach() {
  detach();
  GLint bound = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
  if (bound == 0) return false;
  const GLuint framebuffer = static_cast<GLuint>(bound);
  if (attachmentParameter(framebuffer, GL_COLOR_ATTACHMENT0, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE) != GL_TEXTURE)
    return false;
  const GLuint colour = static_cast<GLuint>(
      attachmentParameter(framebuffer, GL_COLOR_ATTACHMENT0, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME));
  GLint width = 0, height = 0;
  glGetTextureLevelParameteriv(colour, 0, GL_TEXTURE_WIDTH, &width);
  glGetTextureLevelParameteriv(colour, 0, GL_TEXTURE_HEIGHT, &height);
  if (!fitToSize(width, height)) return false;
  // The library attaches a depth-only buffer, or a depth-stencil one when it
  // was asked for stencil: whichever point holds it is emptied and the
  // private buffer goes to the depth point.
  sharedStencil_ = attachmentParameter(framebuffer, GL_STENCIL_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE) != 0;
  sharedType_ = attachmentParameter(framebuffer, GL_DEPTH_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE);
  sharedName_ = attachmentParameter(framebuffer, GL_DEPTH_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME);
  if (sharedStencil_) attachDepth(framebuffer, GL_DEPTH_STENCIL_ATTACHMENT, GL_NONE, 0);
  glNamedFramebufferRenderbuffer(framebuffer, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffer_);
  framebuffer_ = bound;
  return true;
}

void CTkGLPrivateDepth::detach() {
  if (framebuffer_ == 0) return;
  const GLuint framebuffer = static_cast<GLuint>(framebuffer_);
  glNamedFramebufferRenderbuffer(framebuffer, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, 0);
  attachDepth(framebuffer, sharedStencil_ ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT, sharedType_,
              sharedName_);
  framebuffer_ = 0;
}

}  // namespace tk
