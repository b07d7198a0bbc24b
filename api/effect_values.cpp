#include "api/effect_values.h"

#include <irrlicht.h>

#include <algorithm>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/runtime/effect.h"
#include "render/engine.h"
#include "render/tk_manager.h"

namespace tk {
namespace {

int entriesInUse(const EffectValues& values) { return std::clamp(values.count, 0, kEffectValueSlots); }

bool isFlagSeparator(char c) { return c == ' ' || c == '='; }

// The next run of characters other than space and '=' from `at` to `end`.
std::string nextRun(const std::string& text, size_t* at, size_t end) {
  while (*at < end && isFlagSeparator(text[*at])) ++*at;
  size_t start = *at;
  while (*at < end && !isFlagSeparator(text[*at])) ++*at;
  return text.substr(start, *at - start);
}

// A texture the engine already holds under that name: a render target or a
// texture loaded before.
irr::video::ITexture* namedTexture(const std::string& name) {
  STkEngine& engine = tkEngine();
  if (engine.manager) return engine.manager->getRendererManager()->targets().findTexture(name);
  return engine.driver ? engine.driver->findTexture(name.c_str()) : nullptr;
}

// The texture of one texture entry; null when the text is empty or after
// reporting why there is none.
irr::video::ITexture* entryTexture(const EffectValues& values, const EffectValueParameter& entry, int type,
                                   bool* failed) {
  if (entry.texture.empty()) return nullptr;
  const char* file = values.file.c_str();
  if (entry.reference == 1) {
    irr::video::ITexture* texture = namedTexture(entry.texture);
    if (!texture) {
      logErrorCode(kErrorNoArgument, "%s: failed to find texture '%s' of shader param %s", file, entry.texture.c_str(),
                   entry.name.c_str());
      *failed = true;
    }
    return texture;
  }
  irr::video::ITexture* texture = loadEffectTexture(resolveFile(entry.texture.c_str()), type);
  if (!texture) {
    logErrorCode(kErrorNoArgument, "%s: failed to load texture '%s' of shader param %s", file, entry.texture.c_str(),
                 entry.name.c_str());
    *failed = true;
  }
  return texture;
}

}  // namespace

void appendCompileFlags(const std::string& flags, size_t capacity, ShaderMacroList* macros) {
  const size_t end = std::min(flags.size(), kCompileFlagsMax);
  size_t at = 0;
  while (at < end) {
    size_t pieceEnd = flags.find(' ', at);
    if (pieceEnd == std::string::npos || pieceEnd > end) pieceEnd = end;
    std::string name = nextRun(flags, &at, pieceEnd);
    std::string value = nextRun(flags, &at, pieceEnd);
    at = pieceEnd + 1;
    if (name.empty()) continue;
    if (macros->size() + 1 >= capacity) return;  // the end entry needs its place
    macros->push_back({name, value});
  }
}

irr::video::ITexture* loadEffectTexture(const std::string& file, int parameterType) {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  if (!driver || file.empty()) return nullptr;
  // Cube and volume textures need the engine's own texture loading.
  if (parameterType == kParamTextureCube || parameterType == kParamTexture3D) return nullptr;
  return driver->getTexture(file.c_str());
}

bool applyEffectValueTextures(CTkEffect* effect, const EffectValues& values) {
  bool failed = false;
  for (int i = 0; i < entriesInUse(values); ++i) {
    const EffectValueParameter& entry = values.parameters[i];
    if (entry.kind != kEffectValueTexture) continue;
    int index = effect->getParameterIndex(entry.name.c_str());
    if (index < 0) continue;
    irr::video::ITexture* texture = entryTexture(values, entry, effect->getParameter(index)->type, &failed);
    if (!effect->setSamplerTexture(index, texture, entry.colorSpace == 1)) {
      logErrorCode(kErrorNoArgument, "%s: failed to set texture '%s' of shader param %s", values.file.c_str(),
                   entry.texture.c_str(), entry.name.c_str());
      failed = true;
    }
  }
  return !failed;
}

bool applyEffectValueParameters(CTkEffect* effect, const EffectValues& values) {
  bool failed = false;
  const char* file = values.file.c_str();
  for (int i = 0; i < entriesInUse(values); ++i) {
    const EffectValueParameter& entry = values.parameters[i];
    const char* name = entry.name.c_str();
    int index = effect->getParameterIndex(name);
    if (index < 0) {
      logErrorCode(kErrorNoArgument, "%s: no effect param with name '%s'", file, name);
      failed = true;
      continue;
    }
    switch (entry.kind) {
      case kEffectValueVector: effect->setFloatArray(index, entry.value.floats, 3); break;
      case kEffectValueFloat: effect->setFloat(index, entry.value.floats[0]); break;
      case kEffectValueInteger: effect->setInt(index, entry.value.integer); break;
      case kEffectValueTexture: break;  // the texture pass sets those
      default:
        logErrorCode(kErrorNoArgument, "%s: shader param '%s' unknown type %d", file, name, entry.kind);
        failed = true;
    }
  }
  return !failed;
}

CTkEffect* createEngineEffect(const char* path, int baseMaterial, const ShaderMacroList& macros) {
  STkEngine& engine = tkEngine();
  if (!engine.manager) return nullptr;
  irr::ILogger* logger = engine.device ? engine.device->getLogger() : nullptr;
  const irr::ELOG_LEVEL saved = logger ? logger->getLogLevel() : irr::ELL_ERROR;
  if (logger && saved > irr::ELL_ERROR) logger->setLogLevel(irr::ELL_ERROR);
  CTkEffect* effect = engine.manager->getEffectManager()->createEffect(path, baseMaterial, macros);
  if (logger) logger->setLogLevel(saved);
  return effect;
}

}  // namespace tk
