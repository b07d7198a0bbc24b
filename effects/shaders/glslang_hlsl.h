#pragma once
// glslang with its HLSL parts declared: the packaged library is built with the
// HLSL front end, and its headers show the HLSL members only with this macro.
// Include this before any other glslang header.

#ifndef ENABLE_HLSL
#define ENABLE_HLSL 1
#endif
#include <glslang/Public/ShaderLang.h>
