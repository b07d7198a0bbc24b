// The device-state codes as GL values: one table per kind of code, a row per
// code from 0 in code order, checked when compiling. A code without a row
// answers 0.

#include <epoxy/gl.h>

#include <cstddef>
#include <iterator>

#include "effects/device_state_codes.h"
#include "render/video_driver_ext.h"

namespace tk {
namespace {

struct Row {
  int code;
  GLenum value;
};

// True when row i holds code i for every row.
template <size_t N>
constexpr bool inCodeOrder(const Row (&rows)[N]) {
  for (size_t i = 0; i < N; ++i)
    if (rows[i].code != static_cast<int>(i)) return false;
  return true;
}

template <size_t N>
constexpr GLenum valueOf(const Row (&rows)[N], int code) {
  return code >= 0 && static_cast<size_t>(code) < N ? rows[code].value : 0;
}

constexpr Row kBlendFactors[] = {
    {kBlendZero, GL_ZERO},
    {kBlendOne, GL_ONE},
    {kBlendDestColor, GL_DST_COLOR},
    {kBlendOneMinusDestColor, GL_ONE_MINUS_DST_COLOR},
    {kBlendSrcColor, GL_SRC_COLOR},
    {kBlendOneMinusSrcColor, GL_ONE_MINUS_SRC_COLOR},
    {kBlendSrcAlpha, GL_SRC_ALPHA},
    {kBlendOneMinusSrcAlpha, GL_ONE_MINUS_SRC_ALPHA},
    {kBlendDestAlpha, GL_DST_ALPHA},
    {kBlendOneMinusDestAlpha, GL_ONE_MINUS_DST_ALPHA},
    {kBlendSrcAlphaSaturate, GL_SRC_ALPHA_SATURATE},
};
static_assert(std::size(kBlendFactors) == kBlendFactorEnd && inCodeOrder(kBlendFactors),
              "one row per blend factor code");

// None has no GL equation.
constexpr Row kBlendOperations[] = {
    {kBlendOpNone, 0},
    {kBlendOpAdd, GL_FUNC_ADD},
    {kBlendOpSubtract, GL_FUNC_SUBTRACT},
    {kBlendOpReverseSubtract, GL_FUNC_REVERSE_SUBTRACT},
    {kBlendOpMin, GL_MIN},
    {kBlendOpMax, GL_MAX},
    {kBlendOpMinFactor, GL_MIN},
    {kBlendOpMaxFactor, GL_MAX},
    {kBlendOpMinAlpha, GL_MIN},
    {kBlendOpMaxAlpha, GL_MAX},
};
static_assert(std::size(kBlendOperations) == kBlendOperationEnd && inCodeOrder(kBlendOperations),
              "one row per blend operation code");

// A test that is off lets everything pass.
constexpr Row kComparisons[] = {
    {kCompareOff, GL_ALWAYS},
    {kCompareLessEqual, GL_LEQUAL},
    {kCompareEqual, GL_EQUAL},
    {kCompareLess, GL_LESS},
    {kCompareNotEqual, GL_NOTEQUAL},
    {kCompareGreaterEqual, GL_GEQUAL},
    {kCompareGreater, GL_GREATER},
    {kCompareAlways, GL_ALWAYS},
    {kCompareNever, GL_NEVER},
};
static_assert(std::size(kComparisons) == kCompareFunctionEnd && inCodeOrder(kComparisons),
              "one row per comparison code");

// 0 is no operation.
constexpr Row kStencilOperations[] = {
    {0, 0},
    {kStencilKeep, GL_KEEP},
    {kStencilZero, GL_ZERO},
    {kStencilReplace, GL_REPLACE},
    {kStencilIncrementClamp, GL_INCR},
    {kStencilDecrementClamp, GL_DECR},
    {kStencilInvert, GL_INVERT},
    {kStencilIncrementWrap, GL_INCR_WRAP},
    {kStencilDecrementWrap, GL_DECR_WRAP},
};
static_assert(std::size(kStencilOperations) == kStencilOperationEnd && inCodeOrder(kStencilOperations),
              "one row per stencil operation code");

}  // namespace

unsigned glBlendFactorOf(int code) {
  return code == kBlendConstantColor ? GL_CONSTANT_COLOR : valueOf(kBlendFactors, code);
}

unsigned glBlendOperationOf(int code) { return valueOf(kBlendOperations, code); }

unsigned glStencilOperationOf(int code) { return valueOf(kStencilOperations, code); }

unsigned glComparisonOf(int code) { return valueOf(kComparisons, code); }

}  // namespace tk
