#pragma once
// The numbers effect passes, scripts and the renderer use for device states:
// blend factors and operations, comparison functions, stencil operations and
// the base materials an effect pass draws over. Effect files and scripts pass
// these numbers, so every value is fixed. The GL layer maps each kind to GL
// values with one table (render/gl/gl_state_tables.cpp); the "End" entries are
// one past the last code of a kind's run, the number of rows of its table.

#include <irrlicht.h>

#include <cstdint>

namespace tk {

// Blend factors. 0 to 10 are the display library's E_BLEND_FACTOR numbers (an
// effect pass's blend function is packed from them); the constant blend
// colour, set with the video driver extension, is outside that run.
enum BlendFactor : int {
  kBlendZero = 0,
  kBlendOne = 1,
  kBlendDestColor = 2,
  kBlendOneMinusDestColor = 3,
  kBlendSrcColor = 4,
  kBlendOneMinusSrcColor = 5,
  kBlendSrcAlpha = 6,
  kBlendOneMinusSrcAlpha = 7,
  kBlendDestAlpha = 8,
  kBlendOneMinusDestAlpha = 9,
  kBlendSrcAlphaSaturate = 10,
  kBlendFactorEnd = 11,
  kBlendConstantColor = 200,
};
static_assert(kBlendOneMinusSrcAlpha == int{irr::video::EBF_ONE_MINUS_SRC_ALPHA} &&
                  kBlendSrcAlphaSaturate == int{irr::video::EBF_SRC_ALPHA_SATURATE},
              "blend factors keep the display library's numbers");

// Blend operations, the display library's E_BLEND_OPERATION numbers. The
// factor and alpha variants of min and max blend as plain min and max.
enum BlendOperation : int {
  kBlendOpNone = 0,
  kBlendOpAdd = 1,
  kBlendOpSubtract = 2,
  kBlendOpReverseSubtract = 3,
  kBlendOpMin = 4,
  kBlendOpMax = 5,
  kBlendOpMinFactor = 6,
  kBlendOpMaxFactor = 7,
  kBlendOpMinAlpha = 8,
  kBlendOpMaxAlpha = 9,
  kBlendOperationEnd = 10,
};
static_assert(kBlendOpMaxAlpha == int{irr::video::EBO_MAX_ALPHA}, "blend operations keep the display library's numbers");

// Comparison functions of the depth and stencil tests. 0 to 7 are the display
// library's E_COMPARISON_FUNC numbers as its materials use them (0 turns the
// depth test off, so everything passes); 8, never, is the engine's own and is
// applied by the engine's material renderer.
enum CompareFunction : int {
  kCompareOff = 0,
  kCompareLessEqual = 1,
  kCompareEqual = 2,
  kCompareLess = 3,
  kCompareNotEqual = 4,
  kCompareGreaterEqual = 5,
  kCompareGreater = 6,
  kCompareAlways = 7,
  kCompareNever = 8,
  kCompareFunctionEnd = 9,
};
static_assert(kCompareLessEqual == int{irr::video::ECFN_LESSEQUAL} && kCompareAlways == int{irr::video::ECFN_ALWAYS},
              "comparison functions keep the display library's numbers");

// Stencil operations; 0 is none.
enum StencilOperation : int {
  kStencilKeep = 1,
  kStencilZero = 2,
  kStencilReplace = 3,
  kStencilIncrementClamp = 4,
  kStencilDecrementClamp = 5,
  kStencilInvert = 6,
  kStencilIncrementWrap = 7,
  kStencilDecrementWrap = 8,
  kStencilOperationEnd = 9,
};

// The display library's material types an effect pass draws over (their
// E_MATERIAL_TYPE numbers).
enum BaseMaterial : int {
  kBaseMaterialSolid = 0,
  kBaseMaterialTransparentAddColor = 12,
  kBaseMaterialTransparentAlphaChannel = 13,
  kBaseMaterialTransparentAlphaChannelRef = 14,
  kBaseMaterialTransparentVertexAlpha = 15,
  kBaseMaterialOneTextureBlend = 23,
};
static_assert(kBaseMaterialTransparentVertexAlpha == int{irr::video::EMT_TRANSPARENT_VERTEX_ALPHA} &&
                  kBaseMaterialOneTextureBlend == int{irr::video::EMT_ONETEXTURE_BLEND},
              "base materials are the display library's material types");

// The parameter of kBaseMaterialOneTextureBlend, as the display library
// unpacks it: alpha source in bits 12 to 15, colour modulation in 8 to 11,
// source factor in 4 to 7, destination factor in 0 to 3. The material keeps
// these bits as the bits of its float parameter.
enum : uint32_t {
  kBlendAlphaSourceNone = 0,
  kBlendAlphaSourceTexture = 2,
  kBlendModulate1x = 1,
};
constexpr uint32_t packedBlendFunction(int source, int destination, uint32_t modulate, uint32_t alphaSource) {
  return alphaSource << 12 | modulate << 8 | static_cast<uint32_t>(source) << 4 | static_cast<uint32_t>(destination);
}
static_assert(kBlendAlphaSourceTexture == uint32_t{irr::video::EAS_TEXTURE} &&
                  kBlendModulate1x == uint32_t{irr::video::EMFN_MODULATE_1X},
              "blend packing keeps the display library's numbers");

}  // namespace tk
