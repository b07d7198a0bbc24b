#include "startup/setup_file.h"

#include <strings.h>

#include <cstdio>
#include <string>

#include "base/files/file_layer.h"
#include "base/files/ini_file.h"
#include "base/log.h"
#include "platform/driver_choice.h"
#include "platform/ui/display_dialog.h"

namespace tk {
namespace {

bool isYes(const char* value) {
  return strcmp(value, "1") == 0 || strcasecmp(value, "yes") == 0 || strcasecmp(value, "y") == 0;
}

void replaceIfSet(int value, int* field) {
  if (value != -1) *field = value;
}

}  // namespace

SysSetup setupFromIni(const IniFile& ini) {
  SysSetup s;
  sscanf(ini.getString("setup:display", ""), "%d %d %d", &s.width, &s.height, &s.colorBits);
  if (ini.has("setup:windowed")) s.windowed = isYes(ini.getString("setup:windowed", "")) ? 1 : 0;
  sscanf(ini.getString("setup:windowpos", ""), "%d %d", &s.windowX, &s.windowY);
  s.vsync = ini.getInt("setup:vsync", -1);
  s.hideMouse = ini.getInt("setup:hide_mouse", -1);
  s.antialias = ini.getInt("setup:antialias", -1);
  s.lightPrePass = ini.getInt("setup:lightprepass", -1);
  sscanf(ini.getString("setup:camerarange", ""), "%f %f", &s.cameraNear, &s.cameraFar);
  s.stereo = ini.getInt("setup:stereo", -1);
  return s;
}

void applyOverrides(const DisplayRecord& o, SysSetup* s) {
  replaceIfSet(o.width, &s->width);
  replaceIfSet(o.height, &s->height);
  replaceIfSet(o.colorBits, &s->colorBits);
  replaceIfSet(o.windowed, &s->windowed);
  replaceIfSet(o.windowX, &s->windowX);
  replaceIfSet(o.windowY, &s->windowY);
  replaceIfSet(o.vsync, &s->vsync);
  replaceIfSet(o.antialias, &s->antialias);
  replaceIfSet(o.stereo, &s->stereo);
}

int readSetupFile(const char* fileName, const char* baseDirectory, const DisplayRecord* overrides,
                  bool displayDialogAllowed) {
  if (baseDirectory) setBaseDirectory(baseDirectory);
  std::string path = resolveFile(fileName);
  SysSetup setup;
  std::string error;
  std::unique_ptr<IniFile> ini = IniFile::load(path.c_str(), &error);
  if (!ini && !error.empty()) {
    // A setup file that exists but cannot be read must not be silently replaced by defaults.
    logError("Setup file '%s' is malformed: %s", path.c_str(), error.c_str());
    return -1;
  }
  if (ini) {
    setup = setupFromIni(*ini);
  } else if (displayDialogAllowed && !displayAvailable()) {
    log(LOG_WARN, "no setup file and no display for the display dialog: using the default display");
  } else if (displayDialogAllowed) {
    DisplayRecord chosen;
    if (!runDisplayDialog(&chosen)) return -1;
    setup.width = chosen.width;
    setup.height = chosen.height;
    setup.colorBits = chosen.colorBits;
    setup.windowed = chosen.windowed;
    // A full-screen choice syncs to the display and hides the mouse.
    setup.vsync = chosen.windowed == 0 ? 1 : 0;
    setup.hideMouse = chosen.windowed == 0 ? 1 : 0;
  }
  if (overrides) applyOverrides(*overrides, &setup);
  return tkSysSetup(setup) == 0 ? 0 : -1;
}

}  // namespace tk
