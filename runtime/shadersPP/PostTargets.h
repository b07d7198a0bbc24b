// What the post-processing effects read and write, and which way is up.
//
// Targets (all made at start-up; W x H is the screen):
//   BackRTT[0..3]           W x H      the lit picture and its ping-pong copies
//   DepthRTT                W x H      R32F: view-space depth of the nearest surface
//                                      over the camera's far distance (ZFarValue);
//                                      1 where nothing was drawn
//   NormalRTT               W x H      view-space normal (xyz) and glossiness (w)
//   LightRTT                W x H      the light buffer: diffuse (rgb), specular (a)
//   HalfScreen[0]           W/2        glow blur work; after glow: free
//   HalfScreen[1]           W/2        the glow mask, then the finished glow
//                                      (the "GlowRTT" a camera effect can read)
//   HalfScreen[2]           W/2        free for command lists
//   QuarterScreen[0], [1]   W/4        glow level 1 ([0] work, [1] result);
//                                      light-streak work targets
//   EighthScreen[0], [1]    W/8        glow level 2
//   SixTeenthScreen[0], [1] W/16       glow level 3
//   ThirtyTwothScreen[0],[1]W/32       glow level 4
//   SixtyFourthScreen[0],[1]W/64       spare level
//
// Units: the input picture on s0; a component's second picture (depth,
// history, blend weights) on s5.
//
// Orientation. A render target's first row is its bottom row and the quad's
// texture coordinates run upwards on it (v = 0 at the bottom), as VPOS does.
// Directions and angles the engine hands over (streak angle, depth-of-field
// angle, blur direction) keep the v-down sense they have on Direct3D: turn
// them into texture space with ScreenDirection before stepping along them.

#ifndef TESK_POST_TARGETS_H
#define TESK_POST_TARGETS_H

float2 ScreenDirection(float2 downwardDirection) {
  return float2(downwardDirection.x, -downwardDirection.y);
}

#endif
