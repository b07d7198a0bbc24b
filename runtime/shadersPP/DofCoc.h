// What the two circle-of-confusion effects share: the depth on s5 and the way
// a circle of confusion is stored for Dof.hlsl.
//
// The result keeps the picture's colour and puts the radius of its circle of
// confusion in alpha, as a fraction of the largest radius the blur draws
// (DOF_MAX_RADIUS of the picture's height): 0 sharp, 1 blurred the most.
#include "FullScreenQuad.h"

#ifndef TESK_DOF_COC_H
#define TESK_DOF_COC_H

#define DOF_MAX_RADIUS 0.025

sampler2D Depth : register(s5);
// The camera's far distance: the depth target stores depth over it.
float ZFarValue;

// The view-space depth of the surface drawn at uv.
float SceneDepth(float2 uv) {
  return tex2D(Depth, uv).r * ZFarValue;
}

float4 WithCoc(float2 uv, float radiusOfHeight) {
  return float4(tex2D(Scene, uv).rgb, saturate(radiusOfHeight / DOF_MAX_RADIUS));
}

#endif
