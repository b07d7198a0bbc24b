#pragma once
// The loading screen's full-screen shader: a demo's own "loading.hlsl" or the
// built-in emblem (an X of two bars that fill up, fading in with the progress
// and out to black past 100 %). Drawn through the engine's shader services,
// so it exists only on the OpenGL driver.

namespace tk {

class LoadingShader {
 public:
  ~LoadingShader();
  // Compiles the shader once; false when there is none (no OpenGL driver or a
  // compile failure, which leaves the loading screen to its bar).
  bool prepare();
  // Draws the emblem at `progress` (percent / 100) over the whole screen.
  void draw(float progress);
  void forget();

 private:
  class Constants;
  Constants* constants_ = nullptr;
  int materialType_ = -1;
  bool prepared_ = false;
};

}  // namespace tk
