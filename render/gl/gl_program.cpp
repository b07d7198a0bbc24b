#include "render/gl/gl_program.h"

#include "effects/shaders/varying_match.h"

namespace tk {
namespace {

GLuint compileStage(GLenum stage, const std::string& source, std::string* log) {
  GLuint shader = glCreateShader(stage);
  const char* text = source.c_str();
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  char buffer[4096] = {};
  glGetShaderInfoLog(shader, sizeof buffer, nullptr, buffer);
  *log += buffer;
  if (!ok) *log += "\n" + source;
  return shader;
}

}  // namespace

GLuint linkShaderProgram(const STkCompiledShader& vertex, const STkCompiledShader& pixel, std::string* log) {
  return linkGlslProgram(vertex.glsl, pixelGlslMatchedTo(vertex.glsl, pixel.glsl), log);
}

GLuint linkGlslProgram(const std::string& vertexGlsl, const std::string& pixelGlsl, std::string* log) {
  GLuint program = glCreateProgram();
  GLuint vs = compileStage(GL_VERTEX_SHADER, vertexGlsl, log);
  GLuint ps = compileStage(GL_FRAGMENT_SHADER, pixelGlsl, log);
  glAttachShader(program, vs);
  glAttachShader(program, ps);
  glLinkProgram(program);
  glDeleteShader(vs);
  glDeleteShader(ps);
  GLint ok = 0;
  glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (ok) return program;
  char buffer[4096] = {};
  glGetProgramInfoLog(program, sizeof buffer, nullptr, buffer);
  *log += buffer;
  glDeleteProgram(program);
  return 0;
}

}  // namespace tk
