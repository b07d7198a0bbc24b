#pragma once
// The scene viewer's music: the scene names a music file, and the viewer plays
// "<name>.mp3" from "../music" or "../data" beside the scene's folder as music ID 1.

#include <string>

#include "viewer/viewer_clock.h"

namespace tk {

constexpr int kViewerMusicId = 1;

// The path found for the scene's music file, or "" after logging that there is none.
std::string findSceneMusic(const std::string& musicFile);

// Finds and loads the music as music ID 1; true when it is loaded.
bool loadSceneMusic(const std::string& musicFile);

// The clock's view of music ID 1.
class SceneMusic : public ViewerMusic {
 public:
  void playFrom(int positionMs) override;
  void pause() override;
  void seek(int positionMs) override;
  int position() override;
  std::string clockFault() override;
};

}  // namespace tk
