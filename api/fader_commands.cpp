#include "api/fader_commands.h"

#include "render/engine.h"

namespace tk {
namespace {

irr::gui::IGUIInOutFader* g_fader = nullptr;

irr::gui::IGUIInOutFader* startFader(unsigned colour) {
  StopFade();
  irr::gui::IGUIEnvironment* gui = tkEngine().gui;
  if (!gui) return nullptr;
  g_fader = gui->addInOutFader(nullptr, nullptr, -1);
  g_fader->grab();
  g_fader->setColor(irr::video::SColor(colour));
  return g_fader;
}

// A negative duration fades at once rather than over 2^32 - |ms| milliseconds.
irr::u32 fadeDuration(int ms) { return ms > 0 ? static_cast<irr::u32>(ms) : 0; }

}  // namespace

void FadeIn(int ms, unsigned colour) {
  if (irr::gui::IGUIInOutFader* fader = startFader(colour)) fader->fadeIn(fadeDuration(ms));
}

void FadeOut(int ms, unsigned colour) {
  if (irr::gui::IGUIInOutFader* fader = startFader(colour)) fader->fadeOut(fadeDuration(ms));
}

void StopFade() {
  if (!g_fader) return;
  g_fader->remove();
  g_fader->drop();
  g_fader = nullptr;
}

bool faderActive() { return g_fader != nullptr; }

}  // namespace tk
