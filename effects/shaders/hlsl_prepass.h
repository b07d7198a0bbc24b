#pragma once
// Direct3D 9 effect sources carry constructs the HLSL front end rejects or that
// only the effect framework reads: technique blocks, texture declarations,
// sampler_state initialisers and register bindings. The pre-pass blanks them
// out (keeping every line break, so compiler messages keep their line numbers)
// and keeps what they said that the translation still needs.

#include <map>
#include <string>

namespace tk {

struct HlslPrepassResult {
  std::string text;
  // Semantics of global declarations as written ("World" in `float4x4 W : World;`).
  std::map<std::string, std::string> semantics;
  // Sampler units asked with `register(sN)` (or `register(tN)` on a texture
  // object), by name.
  std::map<std::string, int> samplerRegisters;
};

// `text` is preprocessed source: no comments, macros expanded.
HlslPrepassResult hlslPrepass(const std::string& text);

}  // namespace tk
