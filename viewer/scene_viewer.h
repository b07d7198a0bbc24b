#pragma once
// The scene viewer (run mode 2): plays one exported scene in a loop for the
// artist, with its music, a clock that can be paused, stepped and looped, a
// status display, the ride camera and, in live mode, the scene file taken up
// again whenever the exporter rewrites it and the modelling package's frame.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/command_line.h"
#include "viewer/key_presses.h"
#include "viewer/live_scene_file.h"
#include "viewer/scene_music.h"
#include "viewer/status_overlay.h"
#include "viewer/viewer_clock.h"
#include "viewer/viewer_ride.h"
#include "viewer/viewer_status.h"

namespace tk {

constexpr int kViewerSceneId = 1;

// 0 on a normal end, -1 when the scene cannot be loaded or no file was chosen.
int runSceneViewer(const std::string& fileName, const ViewerOptions& options);

class SceneViewer {
 public:
  explicit SceneViewer(const ViewerOptions& options);
  ~SceneViewer();

  enum class Started { Playing, Done, Failed };
  // Loads the scene and starts playing it at timer value `now`. Done after the
  // binary conversion, which only loads the scene.
  Started start(const std::string& fileName, int32_t now);
  // One loop iteration at timer value `now`, ending with the rendered frame.
  void iterate(int32_t now);
  // Stops the music and removes the scene.
  void finish();

  const ViewerClock& clock() const { return *clock_; }
  const ViewerStatus& status() const { return status_; }
  const ViewerRide& ride() const { return ride_; }
  bool live() const { return live_.watching(); }

 private:
  bool has(unsigned flag) const { return (options_.flags & flag) != 0; }
  bool load(const std::string& fileName);
  SceneTiming sceneTiming() const;
  void startRide(int32_t now);
  void followLiveScene(int32_t now);
  bool takeUpNewVersion(int32_t now);
  bool idle();
  bool handleTimeKeys(int32_t now);
  void handleRideKeys();
  void showStatus(int32_t now, int m);

  ViewerOptions options_;
  std::string scenePath_;  // absolute
  bool musicLoaded_ = false;
  SceneMusic music_;
  std::optional<ViewerClock> clock_;
  ViewerRide ride_;
  LiveSceneFile live_;
  uint32_t lastSyncFrame_ = 0;
  int idleCounter_ = 0;
  KeyPresses keys_;
  FpsMeter fps_;
  ViewerStatus status_;
  std::unique_ptr<StatusOverlay> overlay_;
  bool sceneLoaded_ = false;
};

}  // namespace tk
