// SMAA, second pass: how much each pixel blends with its neighbours, from the
// edges of the first pass (red: edge on the pixel's left, green: on its top).
// Every pixel answers for the two edges it owns:
//   r: how much of the pixel above it takes     g: how much the pixel above takes from it
//   b: how much of the pixel on its left it takes a: how much that pixel takes from it
// An edge on a diagonal staircase (two or more corners in a row) takes its
// weights from the staircase; any other edge is followed along its line to
// both ends, and the edges crossing it there give its shape (L, Z or U).
//
// The tables (tools/make-smaa-textures.py writes them and describes them in
// full; their first row is at t = 0):
//   AreaTex 128 x 192: orthogonal lines at (eL * 32 + dL, eR * 32 + dR), the
//     end codes e being 0 none, 1 crossing on the owner's side, 2 on the far
//     side, 3 both; diagonal runs at (kind * 64 + e1 * 16 + d1,
//     128 + e2 * 16 + d2), kind 0 the top edge and 1 the left edge of a corner
//     with its colour on the lower right. .r is what the owner takes, .a what
//     the neighbour across the edge takes.
//   SearchTex 10 x 5: the pixels of the last pair a search fetched that are
//     still on the line, times 85, at (style * 5 + main code, cross code).
// Only pixels with an edge are shaded: the first pass marked them in depth and
// this one is tested for equality with those marks (the others keep the
// target's cleared zeros).
// Here y counts pixels upwards, as the targets store them: the owner's side
// of a top edge is below it, that of a left edge on its right.
// [TESK_BEGIN]
// float2 PixelSize : PixelSize : pixel
// config depth_func : EQUAL
// config depth_mask : false
// int OrthoPairs : 15 : pixel
// int DiagonalSteps : 15 : pixel
// texture Scene : : clamp_to_edge
// texture AreaTex : : clamp_to_edge filterPoint
// texture SearchTex : : clamp_to_edge filterPoint
// [TESK_END]

float2 PixelSize;
#include "FullScreenQuad.h"
sampler2D AreaTex : register(s1);
sampler2D SearchTex : register(s2);

// Pairs fetched per search (lines are followed up to 29 or 30 pixels) and
// steps along a diagonal. Parameters rather than constants: the compiler
// would unroll constant loops and make every pixel pay for the longest search.
int OrthoPairs;
int DiagonalSteps;
static const float kOrthoDistances = 32;
static const float kDiagonalDistances = 16;
static const float2 kAreaSize = float2(128, 192);
static const float2 kSearchSize = float2(10, 5);

float Inside(float2 pixel) {
  const float2 centre = (pixel + 0.5) * PixelSize;
  const float2 inside = step(0, centre) * step(centre, 1);
  return inside.x * inside.y;
}

// The edges of one pixel (exact: read at its centre); none beyond the
// picture, where the clamped read would repeat the border and make up
// crossings the picture does not have.
float2 EdgesOf(float2 pixel) {
  return tex2Dlod(Scene, float4((pixel + 0.5) * PixelSize, 0, 0)).rg * Inside(pixel);
}

// The edges of two neighbouring pixels in one fetch, (near.rg, far.rg): read a
// quarter of the way from the near one to the far one, each channel holds
// 3/4 near + 1/4 far, so that 4 x value = 3 x near + far.
float4 PairEdges(float2 near, float2 far) {
  const float2 codes = round(4 * tex2Dlod(Scene, float4((near + 0.5 + 0.25 * (far - near)) * PixelSize, 0, 0)).rg);
  const float2 nearEdges = step(2.5, codes);
  return float4(nearEdges * Inside(near), (codes - 3 * nearEdges) * Inside(far));
}

// ---- orthogonal lines ---------------------------------------------------------

// How many pixels of the fetched pair are still on the line.
float PixelsOnLine(float style, float2 codes) {
  const float2 texel = float2(style * 5 + codes.x, codes.y) + 0.5;
  return round(3 * tex2Dlod(SearchTex, float4(texel / kSearchSize, 0, 0)).r);
}

// Follows the line of `main` edges (mainMask picks the channel, the other one
// holds the crossing edges) from `owner` in direction `dir`, two pixels per
// fetch (see PairEdges; beyond the picture the clamped read goes on, and the
// search gives up). Style 0 searches towards the side a pixel stores its edge
// on (left, up) and starts at the owner; style 1 away from it and starts next
// to it. Answers the distance from the owner to the line's last pixel and 1
// when the line ends there (0 when the search gave up first).
float2 FollowLine(float2 owner, float2 dir, float2 mainMask, float style) {
  float2 near = owner + style * dir;
  float2 codes = float2(4, 0);
  bool ended = false;
  for (int i = 0; i < OrthoPairs; ++i) {
    const float2 pair = tex2Dlod(Scene, float4((near + 0.5 + 0.25 * dir) * PixelSize, 0, 0)).rg;
    codes = round(4 * float2(dot(pair, mainMask), dot(pair, mainMask.yx)));
    if (codes.x < 4 || codes.y > 0) {
      ended = true;
      break;
    }
    near += 2 * dir;
  }
  const float onLine = ended ? PixelsOnLine(style, codes) : 0;
  const float2 last = near + (onLine - 1) * dir;
  return float2(dot(last - owner, dir), ended ? 1 : 0);
}

// 0 none, 1 on the owner's side, 2 on the far side, 3 both.
float CrossingCode(float ownerSide, float farSide) {
  return ownerSide + 2 * farSide;
}

float2 OrthogonalArea(float2 distances, float2 ends) {
  const float2 texel = ends * kOrthoDistances + distances + 0.5;
  return tex2Dlod(AreaTex, float4(texel / kAreaSize, 0, 0)).ra;
}

// The top edge of `owner`: a horizontal line; its crossings are left edges,
// on the owner's row and on the row above.
float2 TopEdgeWeights(float2 owner) {
  const float2 toLeft = FollowLine(owner, float2(-1, 0), float2(0, 1), 0);
  const float2 toRight = FollowLine(owner, float2(1, 0), float2(0, 1), 1);
  const float2 leftEnd = owner - float2(toLeft.x, 0);       // its left boundary is the end
  const float2 rightEnd = owner + float2(toRight.x + 1, 0);  // the pixel past the end
  const float4 left = PairEdges(leftEnd, leftEnd + float2(0, 1));
  const float4 right = PairEdges(rightEnd, rightEnd + float2(0, 1));
  const float2 ends = float2(toLeft.y * CrossingCode(left.x, left.z), toRight.y * CrossingCode(right.x, right.z));
  return OrthogonalArea(float2(toLeft.x, toRight.x), ends);
}

// The left edge of `owner`: a vertical line, followed down (the table's left
// end) and up; its crossings are top edges, in the owner's column and in the
// column on the left.
float2 LeftEdgeWeights(float2 owner) {
  const float2 down = FollowLine(owner, float2(0, -1), float2(1, 0), 1);
  const float2 up = FollowLine(owner, float2(0, 1), float2(1, 0), 0);
  const float2 belowEnd = owner - float2(0, down.x + 1);  // the pixel under the lowest one
  const float2 topEnd = owner + float2(0, up.x);
  const float4 below = PairEdges(belowEnd, belowEnd - float2(1, 0));
  const float4 top = PairEdges(topEnd, topEnd - float2(1, 0));
  const float2 ends = float2(down.y * CrossingCode(below.y, below.w), up.y * CrossingCode(top.y, top.w));
  return OrthogonalArea(float2(down.x, up.x), ends);
}

// ---- diagonal staircases ------------------------------------------------------

// A rising corner: edges on its left and top (its colour on the lower right).
bool IsRisingCorner(float2 pixel) {
  return all(EdgesOf(pixel) > 0.5);
}

// A falling corner: edges on its left and bottom (the top edge of the pixel below).
bool IsFallingCorner(float2 pixel) {
  const float4 pair = PairEdges(pixel, pixel - float2(0, 1));
  return pair.x > 0.5 && pair.w > 0.5;
}

// Corners in a row from `corner` along `dir` (not counting it), and 1 when the
// run ends within reach.
float2 CountRising(float2 corner, float2 dir) {
  for (int i = 1; i <= DiagonalSteps; ++i)
    if (!IsRisingCorner(corner + i * dir)) return float2(i - 1, 1);
  return float2(DiagonalSteps, 0);
}

float2 CountFalling(float2 corner, float2 dir) {
  for (int i = 1; i <= DiagonalSteps; ++i)
    if (!IsFallingCorner(corner + i * dir)) return float2(i - 1, 1);
  return float2(DiagonalSteps, 0);
}

float2 DiagonalArea(float kind, float2 distances, float2 ends) {
  const float2 texel = float2(kind * 64, 128) + ends * kDiagonalDistances + distances + 0.5;
  return tex2Dlod(AreaTex, float4(texel / kAreaSize, 0, 0)).ra;
}

// A rising run through `corner`: the lengths before and after it and the end
// codes (1 the boundary goes on sideways, 2 up or down, 3 both). Before the
// run the boundary goes on from its lowest corner point left (a top edge) or
// down (a left edge); after it, from its highest right (a top edge) or up (a
// left edge).
void RisingRun(float2 corner, out float2 distances, out float2 ends) {
  const float2 back = CountRising(corner, float2(-1, -1));
  const float2 ahead = CountRising(corner, float2(1, 1));
  const float2 first = corner - back.x;
  const float2 last = corner + ahead.x;
  distances = float2(back.x, ahead.x);
  const float4 start = PairEdges(first - float2(0, 1), first - float2(1, 1));
  const float4 end = PairEdges(last + float2(1, 0), last + float2(1, 1));
  ends.x = back.y * CrossingCode(start.w, start.x);
  ends.y = ahead.y * CrossingCode(end.y, end.z);
}

// A falling run is a rising one upside down: it starts at its upper-left
// corner, where the boundary goes on left (a bottom edge) or up (a left
// edge), and ends at its lower right, going on right or down.
void FallingRun(float2 corner, out float2 distances, out float2 ends) {
  const float2 back = CountFalling(corner, float2(-1, 1));
  const float2 ahead = CountFalling(corner, float2(1, -1));
  const float2 first = corner + float2(-back.x, back.x);
  const float2 last = corner + float2(ahead.x, -ahead.x);
  distances = float2(back.x, ahead.x);
  const float2 beyondEnd = EdgesOf(last + float2(1, -1));
  ends.x = back.y * CrossingCode(EdgesOf(first - float2(1, 0)).g, EdgesOf(first + float2(0, 1)).r);
  ends.y = ahead.y * CrossingCode(beyondEnd.g, beyondEnd.r);
}

// ---- the pass -----------------------------------------------------------------

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  const float2 owner = floor(uv / PixelSize);
  const float2 edges = EdgesOf(owner);
  float4 weights = float4(0, 0, 0, 0);
  bool topDone = edges.g < 0.5;
  bool leftDone = edges.r < 0.5;
  float2 distances, ends;
  // A rising corner owns both edges of its step of the staircase.
  if (!topDone && !leftDone) {
    RisingRun(owner, distances, ends);
    if (distances.x + distances.y > 0) {
      weights = float4(DiagonalArea(0, distances, ends), DiagonalArea(1, distances, ends));
      topDone = leftDone = true;
    }
  }
  // A top edge that is the bottom of a falling corner above: seen upside down,
  // the owner is the neighbour across that corner's top edge.
  if (!topDone && EdgesOf(owner + float2(0, 1)).r > 0.5) {
    FallingRun(owner + float2(0, 1), distances, ends);
    if (distances.x + distances.y > 0) {
      weights.rg = DiagonalArea(0, distances, ends).yx;
      topDone = true;
    }
  }
  if (!leftDone && EdgesOf(owner - float2(0, 1)).g > 0.5) {
    FallingRun(owner, distances, ends);
    if (distances.x + distances.y > 0) {
      weights.ba = DiagonalArea(1, distances, ends);
      leftDone = true;
    }
  }
  if (!topDone) weights.rg = TopEdgeWeights(owner);
  if (!leftDone) weights.ba = LeftEdgeWeights(owner);
  return weights;
}
