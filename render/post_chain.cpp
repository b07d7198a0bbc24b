#include "render/post_chain.h"

#include <strings.h>

#include "base/log.h"
#include "effects/runtime/effect.h"
#include "render/render_services.h"
#include "render/render_target_registry.h"

namespace tk {
namespace {

const char* techniqueAnnotation(CTkEffect* effect, const char* key) {
  const STechnique* technique = effect->getTechnique(0);
  if (!technique) return nullptr;
  const SParameter* annotation = findNamed(technique->annotations, key);
  return annotation ? annotation->value.c_str() : nullptr;
}

// The parameter fed by the glow result, or -1.
int glowParameter(CTkEffect* effect) {
  for (int i = 0; const SParameter* parameter = effect->getParameter(i); ++i)
    if (parameter->semantic == "GlowRTT") return i;
  return -1;
}

}  // namespace

CTkPostChain::CTkPostChain(CTkRenderServices* services, const RenderTargetRegistry* textures)
    : services_(services), textures_(textures) {}

CTkPostChain::~CTkPostChain() { releaseEffects(); }

void CTkPostChain::releaseEffects() {
  for (CTkEffect* effect : effects_) effect->drop();
  effects_.clear();
}

void CTkPostChain::setPostEffects(const std::vector<CTkEffect*>& effects) {
  // The new references first: the two lists may share effects.
  for (CTkEffect* effect : effects)
    if (effect) effect->grab();
  releaseEffects();
  for (CTkEffect* effect : effects)
    if (effect) effects_.push_back(effect);
}

// An effect runs in the call of its "render" name, or, without one, in the
// call without a name.
bool CTkPostChain::runsUnder(CTkEffect* effect, const char* name) const {
  const char* annotation = techniqueAnnotation(effect, "render");
  if ((annotation != nullptr) != (name != nullptr)) return false;
  return !annotation || strcasecmp(annotation, name) == 0;
}

irr::video::ITexture* CTkPostChain::ownTarget(CTkEffect* effect) const {
  const char* name = techniqueAnnotation(effect, "rendertarget");
  return name && textures_ ? textures_->findTexture(name) : nullptr;
}

// False when the effect must be skipped: it reads the glow result and glow is off.
bool CTkPostChain::bindGlow(CTkEffect* effect, bool glowOn) const {
  int parameter = glowParameter(effect);
  if (parameter < 0) return true;
  if (!glowOn) return false;
  if (irr::video::ITexture* glow = textures_ ? textures_->findTexture("HalfScreen[1]") : nullptr)
    effect->setSamplerTexture(parameter, glow);
  return true;
}

void CTkPostChain::draw(CTkEffect* effect, irr::video::ITexture* into, irr::video::ITexture* from) {
  services_->setRenderTargets(&into, 1);
  for (int pass = 0; pass < effect->passCount(0); ++pass) services_->drawEffect(effect, 0, pass, from);
}

irr::video::ITexture* CTkPostChain::render(irr::video::ITexture* target, irr::video::ITexture* source,
                                           irr::video::ITexture* work, const char* name, bool copyBack,
                                           bool glowOn) {
  if (effects_.empty() || !services_) return source;
  irr::video::ITexture* second = target && target != source ? target : work;
  if (!second) {
    log(LOG_ERROR, "CTkPostChain: cannot set second flipflop texture");
    return source;
  }
  irr::video::ITexture* current = source;
  for (CTkEffect* effect : effects_) {
    if (!runsUnder(effect, name) || !bindGlow(effect, glowOn)) continue;
    irr::video::ITexture* out = current == source ? second : source;
    if (irr::video::ITexture* own = ownTarget(effect)) {
      // Its own target is the picture it reads: it would read and write one texture.
      if (own == current) {
        log(LOG_ERROR, "CTkPostChain: effect '%s' skipped, its rendertarget '%s' is the picture it reads",
            effect->name().c_str(), techniqueAnnotation(effect, "rendertarget"));
        continue;
      }
      draw(effect, own, current);
    } else {
      draw(effect, out, current);
      current = out;
    }
  }
  irr::video::ITexture* result = current;
  // Copying needs a target: without one the result stays where it is.
  if (current != target && target && (target == source || copyBack)) {
    services_->copyTextureInto(target, current);
    result = target;
  }
  services_->setRenderTargets(&result, 1);
  return result;
}

}  // namespace tk
