#include "startup/setup_file.h"

#include <strings.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/files/file_layer.h"
#include "base/files/ini_file.h"
#include "base/log.h"
#include "base/saturating.h"
#include "platform/driver_choice.h"
#include "platform/ui/display_dialog.h"
#include "startup/display_limits.h"

namespace tk {
namespace {

bool isYes(const char* value) {
  return strcmp(value, "1") == 0 || strcasecmp(value, "yes") == 0 || strcasecmp(value, "y") == 0;
}

void replaceIfSet(int value, int* field) {
  if (value != -1) *field = value;
}

// Up to `count` decimal whole numbers separated by white space, each held to
// the int range; the fields past the last number that reads keep their value.
void readWholeNumbers(const char* text, int* const fields[], int count) {
  const char* cursor = text;
  for (int i = 0; i < count; ++i) {
    char* end = nullptr;
    long long value = strtoll(cursor, &end, 10);
    if (end == cursor) return;
    *fields[i] = saturatedInt(static_cast<int64_t>(value));
    cursor = end;
  }
}

// A display value outside what a device can be made with goes back to "not
// set" (its default), with a warning naming the key.
void checkDisplay(SysSetup* s) {
  const char* key = "Setup:display";
  for (int* side : {&s->width, &s->height}) {
    if (*side == -1 || windowSideAllowed(*side)) continue;
    log(LOG_WARN, "%s: size %d is out of range (%d to %d): the default is used", key, *side, kMinWindowSide,
        kMaxWindowSide);
    *side = -1;
  }
  if (s->colorBits != -1 && !colorBitsAllowed(s->colorBits)) {
    log(LOG_WARN, "%s: colour depth %d is not supported (16, 24 or 32): the default is used", key, s->colorBits);
    s->colorBits = -1;
  }
}

// Switches are on unless 0: any other value than 0 and 1 (or -1, not set) is
// taken as 1, with a warning naming the key.
int readSwitch(const IniFile& ini, const char* key) {
  char lookup[64];
  snprintf(lookup, sizeof lookup, "setup:%s", key);
  int value = ini.getInt(lookup, -1);
  if (value == -1 || value == 0 || value == 1) return value;
  log(LOG_WARN, "Setup:%s = %d is out of range (0 or 1): taken as 1", key, value);
  return 1;
}

// Both planes finite, the near one in front of the camera and the far one
// beyond it. Equal planes are left alone: start-up itself gives them the defaults.
void checkCameraRange(SysSetup* s) {
  float nearValue = s->cameraNear, farValue = s->cameraFar;
  bool usable = std::isfinite(nearValue) && std::isfinite(farValue) && nearValue > 0 && farValue > nearValue;
  if (usable || (nearValue == farValue && std::isfinite(nearValue))) return;
  SysSetup defaults;
  log(LOG_WARN, "Setup:camerarange = %g %g is not a usable range (0 < near < far): %g %g is used", nearValue,
      farValue, defaults.cameraNear, defaults.cameraFar);
  s->cameraNear = defaults.cameraNear;
  s->cameraFar = defaults.cameraFar;
}

}  // namespace

SysSetup setupFromIni(const IniFile& ini) {
  SysSetup s;
  int* const display[] = {&s.width, &s.height, &s.colorBits};
  readWholeNumbers(ini.getString("setup:display", ""), display, 3);
  checkDisplay(&s);
  if (ini.has("setup:windowed")) s.windowed = isYes(ini.getString("setup:windowed", "")) ? 1 : 0;
  int* const position[] = {&s.windowX, &s.windowY};
  readWholeNumbers(ini.getString("setup:windowpos", ""), position, 2);
  s.vsync = readSwitch(ini, "vsync");
  s.hideMouse = readSwitch(ini, "hide_mouse");
  s.antialias = readSwitch(ini, "antialias");
  s.lightPrePass = readSwitch(ini, "lightprepass");
  sscanf(ini.getString("setup:camerarange", ""), "%f %f", &s.cameraNear, &s.cameraFar);
  checkCameraRange(&s);
  s.stereo = readSwitch(ini, "stereo");
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
