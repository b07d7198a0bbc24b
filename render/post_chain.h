#pragma once
// The post chain: full-screen effects run one after the other over a picture,
// each reading the previous one's result, ping-ponging between two buffers.
// Renderers run it after the scene with the camera effects the engine hands
// over each frame, and at named points of a frame ("lightpost", "solidpost",
// ...) for the effects annotated with that name.

#include <irrlicht.h>

#include <vector>

namespace tk {

class CTkEffect;
class CTkRenderServices;
class RenderTargetRegistry;

class CTkPostChain {
 public:
  // `textures` finds the textures effects name ("rendertarget", the glow result).
  CTkPostChain(CTkRenderServices* services, const RenderTargetRegistry* textures);
  ~CTkPostChain();
  CTkPostChain(const CTkPostChain&) = delete;
  CTkPostChain& operator=(const CTkPostChain&) = delete;

  // Replaces the list; the chain holds one counted reference per entry.
  void setPostEffects(const std::vector<CTkEffect*>& effects);
  const std::vector<CTkEffect*>& effects() const { return effects_; }
  bool empty() const { return effects_.empty(); }
  CTkRenderServices* renderServices() const { return services_; }

  // Runs the effects over `source` and answers the texture that holds the
  // result, left set as render target. The second buffer is `target` when
  // given and other than `source`, else `work`. With `name`, only effects
  // whose "render" annotation equals it (case ignored) run; without, only
  // effects without one. With `copyBack` (or a target equal to the source)
  // the result is copied into `target` when it ended elsewhere. Effects
  // reading the glow result are skipped while glow is off.
  irr::video::ITexture* render(irr::video::ITexture* target, irr::video::ITexture* source,
                               irr::video::ITexture* work, const char* name, bool copyBack, bool glowOn);

 private:
  bool runsUnder(CTkEffect* effect, const char* name) const;
  irr::video::ITexture* ownTarget(CTkEffect* effect) const;
  bool bindGlow(CTkEffect* effect, bool glowOn) const;
  void draw(CTkEffect* effect, irr::video::ITexture* into, irr::video::ITexture* from);
  void releaseEffects();

  CTkRenderServices* services_;
  const RenderTargetRegistry* textures_;
  std::vector<CTkEffect*> effects_;
};

}  // namespace tk
