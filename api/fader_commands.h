#pragma once
// The screen fader: one full-screen colour fade at a time, drawn by the GUI.

namespace tk {

// Removes a running fader and fades in from the colour (0xAARRGGBB) over `ms`.
void FadeIn(int ms, unsigned colour);
// The same with a fade out to the colour.
void FadeOut(int ms, unsigned colour);
void StopFade();
// Whether a fader is on screen.
bool faderActive();

}  // namespace tk
