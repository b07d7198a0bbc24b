#pragma once
// A demo: parts (scenes played one after the other against music), with extra
// scenes running inside a part, timed full-screen shaders and colour fades, as
// an INI file whose name contains ".demo.ini" describes it.

#include <string>
#include <vector>

namespace tk {

class IniFile;

constexpr int kMaxDemoParts = 64;
constexpr int kMaxExtras = 15;
constexpr int kMaxShaders = 10;
constexpr int kMaxFaders = 20;
constexpr int kIndexedKeyLimit = 20;  // indexed keys are read for 0 .. 19

struct DemoSceneIds {
  int scene = -1, object = -1, light = -1, emitter = -1, cubeMap = -1, cameraShader = -1;
};

struct DemoExtra {
  std::string directory, fileName;
  int time = 0, length = 0;
  int reuseObjects = 0, flushObjects = 0;
  bool active = false;
  DemoSceneIds ids;
};

struct DemoShader {
  std::string name;
  int time = 0, length = 0;
  bool active = false, done = false;
  int cameraEffect = -1;
};

struct DemoFader {
  int time = 0, length = 1000, fadeLength = 1000;
  unsigned colour = 0;
  bool fadeIn = false;
  bool active = false, done = false;
};

struct DemoPart {
  std::string name;
  int time = -1;
  int timeReset = 0;
  int timeBase = 0;
  std::string music, palette;
  int paletteChannel = -1, paletteValue = 0;
  std::string directory, fileName;
  float cameraNear = 0.1f, cameraFar = 1000.0f;
  int reuseObjects = 0, flushObjects = 0;
  std::vector<DemoExtra> extras;
  std::vector<DemoShader> shaders;
  std::vector<DemoFader> faders;
  int musicId = -1, paletteId = -1;
  DemoSceneIds ids;
  bool hasScene() const { return ids.scene >= 0; }
};

struct DemoDescription {
  std::string musicDirectory, paletteDirectory, shadersDirectory;
  std::vector<DemoPart> parts;
};

// Reads a parsed demo file. False after logging the reason ("No parts!", too many parts).
bool readDemoDescription(const IniFile& ini, DemoDescription* demo);

}  // namespace tk
