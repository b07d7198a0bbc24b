#pragma once
// The options of an interactive start and the choice of run mode.

#include <string>
#include <vector>

namespace tk {

// Flags of ViewerOptions.
constexpr unsigned VIEWER_INTERACTIVE = 0x01;
constexpr unsigned VIEWER_BINARY = 0x02;
constexpr unsigned VIEWER_PAUSED = 0x04;
constexpr unsigned VIEWER_FRAMESTART = 0x08;
constexpr unsigned VIEWER_RIDE = 0x10;
constexpr unsigned VIEWER_MUSIC = 0x20;
constexpr unsigned VIEWER_SYNCUPDATE = 0x40;
constexpr unsigned VIEWER_NOIDLEINACTIVE = 0x80;

struct ViewerOptions {
  unsigned flags = VIEWER_INTERACTIVE | VIEWER_MUSIC;
  int frameStart = 0;
  int rideSpeed = 0;
  int rideOptions = 0;
};

// Display values; -1 means "not set". The command line fills only some fields.
struct DisplayRecord {
  int width = -1;
  int height = -1;
  int windowed = -1;
  int windowX = -1;
  int windowY = -1;
  int colorBits = -1;
  int vsync = -1;
  int frameRate = -1;
  int antialias = -1;
  int shaders = -1;
  int stereo = -1;
  int centered = -1;
};

struct DemoOptions {
  int startPart = -1;
  std::string captureBase;  // empty: no capture
  float captureRate = 30.0f;
};

struct CommandLine {
  ViewerOptions viewer;
  DisplayRecord overrides;
  DemoOptions demo;
  std::string file;  // empty: none named
  bool userLog = false;
  // Problems met while parsing (an option missing its value), reported by the caller.
  std::vector<std::string> warnings;
};

enum class RunMode { Unsupported = 0, ObjectViewer = 1, SceneViewer = 2, DemoPlayer = 3, PackedStart = 4, Script = 5 };

// Parses words[1..] of an interactive start.
CommandLine parseInteractiveOptions(const std::vector<std::string>& words);

// The run mode a file name asks for; Unsupported when none fits.
RunMode runModeForFile(const std::string& name);

}  // namespace tk
