#pragma once
// Small pieces the engine's binds share: answering a semantic, reading the
// index of an indexed semantic, combining and inverting matrices in the
// engine's convention, and the "Inverse" / "Transpose" suffixes of matrix
// semantics.

#include <irrlicht.h>

#include <string>

#include "effects/binds/effect_bind.h"

namespace tk {

// A result that answers with `function`.
STkBindResult bindAnswer(TkBindFunction function);

// True when `text` is `prefix` followed by a decimal number and nothing else;
// the number goes to `index`. Signs, blanks and numbers beyond int are refused.
bool parseIndexedSemantic(const std::string& text, const char* prefix, int* index);

// True when `text` reads "<prefix><number><separator><member>" with a non-empty
// member, as "Light[2].Position" with prefix "Light[" and separator "].".
bool parseIndexedMember(const std::string& text, const char* prefix, const char* separator, int* index,
                        std::string* member);

// The matrix that applies `first`, then `second` to a point (p × first × second).
// The display library's operator* composes the other way round, so this is
// the one place that decides the order.
irr::core::matrix4 firstThen(const irr::core::matrix4& first, const irr::core::matrix4& second);
irr::core::matrix4 firstThen(const irr::core::matrix4& first, const irr::core::matrix4& second,
                             const irr::core::matrix4& third);
// The inverse; a matrix that cannot be inverted stands for itself.
irr::core::matrix4 inverseOrSelf(const irr::core::matrix4& matrix);

// Matrix semantics "<Name>", "<Name>Transpose", "<Name>Inverse" and
// "<Name>InverseTranspose". Each row names the matrix `id` a bind computes and
// whether the inverse forms are accepted.
struct STkMatrixSemantic {
  const char* name;
  int id;
  bool inverseAccepted;
};
enum : int { kMatrixInverse = 1, kMatrixTranspose = 2 };
// Finds the semantic among `rows`; on success sets `id` and `variant`
// (kMatrixInverse / kMatrixTranspose bits).
bool parseMatrixSemantic(const std::string& semantic, const STkMatrixSemantic* rows, int rowCount, int* id,
                         int* variant);
// The variant of a matrix: inverse first, then transpose.
irr::core::matrix4 matrixVariant(const irr::core::matrix4& matrix, int variant);

// A point as (x, y, z, w) and a vector as three floats.
void uploadPoint(irr::video::IMaterialRendererServices* services, const STkFxConstBind& constant,
                 const irr::core::vector3df& point, float w);
void uploadVector3(irr::video::IMaterialRendererServices* services, const STkFxConstBind& constant,
                   const irr::core::vector3df& vector);
void uploadScalar(irr::video::IMaterialRendererServices* services, const STkFxConstBind& constant, float value);

// floor(log2(max(width, height))); 0 for an empty size.
int highestMipLevel(const irr::core::dimension2du& size);

}  // namespace tk
