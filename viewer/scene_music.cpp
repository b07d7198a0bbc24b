#include "viewer/scene_music.h"

#include "base/files/file_layer.h"
#include "base/log.h"
#include "music/music.h"

namespace tk {

std::string findSceneMusic(const std::string& musicFile) {
  std::string name = fileLayer().baseName(musicFile.c_str(), false);
  for (const char* folder : {"../music", "../data"}) {
    std::string path = std::string(folder) + "/" + name + ".mp3";
    if (fileExists(path.c_str())) return path;
  }
  logError("Fail to find %s.mp3 in ../music or ../data", name.c_str());
  return "";
}

bool loadSceneMusic(const std::string& musicFile) {
  std::string path = findSceneMusic(musicFile);
  if (path.empty()) return false;
  LoadMusic(path.c_str(), kViewerMusicId);
  if (!MusicExist(kViewerMusicId)) {
    logError("Fail to load music %s", path.c_str());
    return false;
  }
  print("Loaded Music %s", path.c_str());
  return true;
}

void SceneMusic::playFrom(int positionMs) {
  SetMusicPosition(kViewerMusicId, positionMs);
  ResumeMusic(kViewerMusicId);
}

void SceneMusic::pause() { PauseMusic(kViewerMusicId); }

void SceneMusic::seek(int positionMs) { SetMusicPosition(kViewerMusicId, positionMs); }

int SceneMusic::position() { return GetMusicPosition(kViewerMusicId); }

std::string SceneMusic::clockFault() { return musicClockFault(kViewerMusicId); }

}  // namespace tk
