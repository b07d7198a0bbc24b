#pragma once
// Effect values: an effect record of a scene evaluated at one moment (its
// file, compile flags and parameter values), and how they are applied to an
// effect. Scene loading and scene animation hand them to the effect, camera
// effect and emitter operations.

#include <cstdint>
#include <string>

#include "effects/shader_macro.h"

namespace irr::video {
class ITexture;
}

namespace tk {

class CTkEffect;

constexpr int kEffectValueSlots = 30;

enum EffectValueKind : int {
  kEffectValueNone = -1,
  kEffectValueVector = 0,   // three floats
  kEffectValueFloat = 1,
  kEffectValueInteger = 2,
  kEffectValueTexture = 3,  // the texture text, its colour space and reference flag
};

struct EffectValueParameter {
  std::string name;
  int kind = kEffectValueNone;
  union {
    float floats[3];
    int32_t integer;
  } value{};
  std::string texture;
  int colorSpace = 1;  // 1: the texture is sRGB unless its parameter says otherwise
  int reference = 0;   // 1: the texture text names a texture that exists already
};

struct EffectValues {
  std::string file;
  std::string compileFlags;  // space-separated NAME or NAME=VALUE pieces
  int count = 0;             // entries of `parameters` in use
  EffectValueParameter parameters[kEffectValueSlots];
};

// Compile-flag texts longer than this are cut.
constexpr size_t kCompileFlagsMax = 1023;
// Macro lists built from compile flags hold at most this many entries, the end
// entry of the list counted.
constexpr size_t kCompileMacroCapacity = 100;

// Appends the macros of a compile-flag text to `macros`, in their order; a
// piece gives its first run of characters other than space and '=' as the
// name and the next such run, when there is one, as the value. Pieces that do
// not fit under `capacity` (end entry counted) are dropped.
void appendCompileFlags(const std::string& flags, size_t capacity, ShaderMacroList* macros);

// A texture for a texture parameter of the given type, loaded from a file;
// null when it cannot be had. Only plain 2D pictures load so far.
irr::video::ITexture* loadEffectTexture(const std::string& file, int parameterType);

// The two passes of applying effect values. Each goes through the entries in
// use, reports every entry that fails (code -1, the values' file first) and
// answers false when any did.
bool applyEffectValueTextures(CTkEffect* effect, const EffectValues& values);
bool applyEffectValueParameters(CTkEffect* effect, const EffectValues& values);

// Creates an effect through the engine's effect manager with the display
// library's log letting errors through, so that compiler errors reach the log
// whatever its level. Null on failure (the manager's last error says why).
CTkEffect* createEngineEffect(const char* path, int baseMaterial, const ShaderMacroList& macros);

}  // namespace tk
