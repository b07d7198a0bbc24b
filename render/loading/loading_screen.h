#pragma once
// The loading screen: while a demo or a packed scene loads, the loading shader
// ("loading.hlsl" or the built-in emblem) on the OpenGL driver, else a progress
// bar (below the picture "loading.png" when one can be opened); while the loose
// scene viewer loads, a plain bar with the percentage.

#include <irrlicht.h>

namespace tk {

// The rectangles of the bar on a screen of width x height: a white frame, a
// black back inside it, and the fill in 0xFF4488FF over the left part of the
// inner rectangle.
struct LoadingBarRects {
  irr::core::recti frame, back, inner, fill;
};
LoadingBarRects loadingBarRects(int width, int height, int pictureHeight, float percent);

// Loads the picture (once) and draws 0 %.
void beginLoadingScreen();
// One frame of the loading screen at `percent`.
void showLoadingProgress(float percent);
// Draws 100 % (with the shader: 30 frames fading out from 100 % to 129 %) and
// forgets the picture and the shader.
void endLoadingScreen();

// The scene viewer's load progress callback; never asks the loader to stop.
int sceneLoadProgress(int percent, void* user);
// After the scene viewer's load: forgets what the callback loaded.
void endSceneLoadProgress();

}  // namespace tk
