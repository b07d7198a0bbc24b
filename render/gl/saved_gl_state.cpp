#include "render/gl/saved_gl_state.h"

#include <epoxy/gl.h>

namespace tk {

SavedGlState::SavedGlState() {
  glGetIntegerv(GL_ACTIVE_TEXTURE, &activeTexture_);
  for (int unit = 0; unit < kUnits; ++unit) {
    glActiveTexture(GL_TEXTURE0 + unit);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &unitTextures_[unit]);
  }
  glActiveTexture(activeTexture_);
  glGetIntegerv(GL_CURRENT_PROGRAM, &program_);
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer_);
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer_);
  glGetIntegerv(GL_UNIFORM_BUFFER_BINDING, &uniformBuffer_);
  glGetIntegerv(GL_VIEWPORT, viewport_);
  depthTest_ = glIsEnabled(GL_DEPTH_TEST);
  cullFace_ = glIsEnabled(GL_CULL_FACE);
  blend_ = glIsEnabled(GL_BLEND);
}

SavedGlState::~SavedGlState() {
  glUseProgram(program_);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer_);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, readFramebuffer_);
  for (int unit = 0; unit < kUnits; ++unit) {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, unitTextures_[unit]);
  }
  glActiveTexture(activeTexture_);
  glBindBuffer(GL_UNIFORM_BUFFER, uniformBuffer_);
  glViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
  depthTest_ ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
  cullFace_ ? glEnable(GL_CULL_FACE) : glDisable(GL_CULL_FACE);
  blend_ ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
}

}  // namespace tk
