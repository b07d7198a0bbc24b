#include "effects/binds/surface_parameters.h"

namespace tk {

const char* const kSurfaceParameterNames[kSurfaceParameterCount] = {
    "BaseColor",         "Luminosity",          "Diffuse",             "Specularity",       "Reflectivity",
    "Transparency",      "Translucency",        "IOR",                 "Bump",              "Glossiness",
    "SpecialBuffer1",    "SpecialBuffer2",      "SpecialBuffer3",      "SpecialBuffer4",    "DiffuseSharpness",
    "BumpDropoff",       "SmoothingAngle",      "ReflectionSeamAngle", "RefractionSeamAngle",
    "ReflectionBlurring", "RefractionBlurring", "ColorFilter",         "ColorHighlights",   "AdditiveTransparency",
    "AlphaValue",        "GlowValue",           "LineColor",           "LineSize",          "AlphaOptions",
    "ReflectionOptions", "RefractionOptions",   "Sidedness",           "ExcludeFromVStack", "Glow",
    "RenderOutlines",    "ReflectionImage",     "RefractionImage",     "VertexColoring",    "VertexNormal"};

}  // namespace tk
