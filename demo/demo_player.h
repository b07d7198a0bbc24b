#pragma once
// Playing a loaded demo against its clock, and capturing it frame by frame.

#include <string>

#include "demo/demo_description.h"

namespace tk {

// The clock and the current part, music, palette and scene of a running demo.
struct DemoClock {
  int origin = 0;
  int musicBase = 0;
  int currentPart = -1;
  int currentMusic = -1;
  int currentPalette = -1;
  int currentScene = -1;
  bool ended = false;
  // The current music stopped moving on (it ended, failed or stalled): the
  // clock runs on the timer from where the music stopped.
  bool musicStopped = false;
  int lastMusicTime = 0;  // demo time of the last position the music gave
};

class DemoPlayback {
 public:
  DemoPlayback(DemoDescription& demo, bool capturing) : demo_(demo), capturing_(capturing) {}

  // The demo time of a step whose time input is `input` (the timer, or the
  // frame time when capturing). While a music is current the music's position
  // is the clock; once that music stops moving on, the timer carries the
  // clock on from where it stopped (said once at WARN).
  int demoTime(int input);
  // One step: part switching, extras, palette, shaders, faders, animation and
  // the frame. False when the step failed.
  bool step(int input);
  // Starts at part s (s > 0 and below the part count).
  void seek(int startPart);
  // Left and Right (with Shift) move the music, which the clock follows.
  void applySeekKeys();

  DemoClock& clock() { return clock_; }

 private:
  void switchTo(int q, int input, int* t);
  void carryOnWithoutMusic(int input, const std::string& why);
  void stepExtras(DemoPart& part, int t);
  void stepShaders(DemoPart& part, int t);
  void stepFaders(DemoPart& part, int t);

  DemoDescription& demo_;
  bool capturing_;
  DemoClock clock_;
};

// Moves every object of a scene out of sight (and hides its emitters and camera
// shaders), so that an extra scene waits without showing.
void parkScene(int sceneId);

// Run modes: load, prepare, loop, unload. 0, or -1 on failure.
int playDemo(const char* path, int startPart);
int captureDemo(const char* path, int startPart, const char* baseName, float framesPerSecond);

}  // namespace tk
