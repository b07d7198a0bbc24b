#pragma once
// Engine start-up and shutdown.

#include <string>

namespace tk {

// What the setup reader (or a script's Setup) hands to the engine start-up.
// Integer fields use -1 for "not given".
struct SysSetup {
  bool hasBaseDirectory = false;
  std::string baseDirectory;
  float cameraNear = 0.1f;
  float cameraFar = 1000.0f;
  int width = -1;
  int height = -1;
  int colorBits = -1;
  int windowed = -1;
  int windowX = -1;
  int windowY = -1;
  int vsync = -1;
  int antialias = -1;
  int lightPrePass = -1;
  int hideMouse = -1;
  int stereo = -1;
};

// 0 on success; -1 after logging "Setup failed: %s".
int tkSysSetup(const SysSetup& setup);
// Tears everything down in reverse order; safe when nothing was set up.
void tkSysShutdown();

// The text of the last start-up failure.
const char* startupErrorText();

}  // namespace tk
