#include "render/video_driver_ext.h"

#include <epoxy/gl.h>

namespace tk {

unsigned glBlendFactorOf(int code) {
  static const unsigned factors[] = {GL_ZERO,      GL_ONE,           GL_DST_COLOR, GL_ONE_MINUS_DST_COLOR,
                                     GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA,
                                     GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA, GL_SRC_ALPHA_SATURATE};
  if (code == 200) return GL_CONSTANT_COLOR;
  return (code >= 0 && code <= 10) ? factors[code] : 0;
}

unsigned glBlendOperationOf(int code) {
  switch (code) {
    case 1: return GL_FUNC_ADD;
    case 2: return GL_FUNC_SUBTRACT;
    case 3: return GL_FUNC_REVERSE_SUBTRACT;
    case 4: case 6: case 8: return GL_MIN;
    case 5: case 7: case 9: return GL_MAX;
    default: return 0;
  }
}

unsigned glStencilOperationOf(int code) {
  static const unsigned operations[] = {GL_KEEP, GL_ZERO, GL_REPLACE, GL_INCR, GL_DECR, GL_INVERT, GL_INCR_WRAP,
                                        GL_DECR_WRAP};
  return (code >= 1 && code <= 8) ? operations[code - 1] : 0;
}

unsigned glComparisonOf(int code) {
  switch (code) {
    case 0: case 7: return GL_ALWAYS;
    case 1: return GL_LEQUAL;
    case 2: return GL_EQUAL;
    case 3: return GL_LESS;
    case 4: return GL_NOTEQUAL;
    case 5: return GL_GEQUAL;
    case 6: return GL_GREATER;
    case 8: return GL_NEVER;
    default: return 0;
  }
}

}  // namespace tk
