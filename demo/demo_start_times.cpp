#include "base/log.h"
#include "demo/demo_loader.h"
#include "demo/demo_time_math.h"

namespace tk {
namespace {

// The nearest earlier part with a music name. Parts passed over on the way must
// not reset the clock, since their start could not be placed on that music.
bool previousMusicPart(const DemoDescription& demo, size_t index, const DemoPart** found) {
  *found = nullptr;
  for (size_t j = index; j-- > 0;) {
    const DemoPart& candidate = demo.parts[j];
    if (!candidate.music.empty()) {
      *found = &candidate;
      return true;
    }
    if (candidate.timeReset != 0) {
      logError("Part %s: timereset no supported before a part that has a music within the scene",
               demo.parts[index].name.c_str());
      return false;
    }
  }
  return true;
}

bool timeFromPreviousMusic(const DemoDescription& demo, size_t index, DemoPart* part, const std::string& sceneMusic,
                           int offset) {
  const char* name = part->name.c_str();
  if (!part->music.empty()) {
    logError("Part %s: no time, but music specified in the part, impossible to determine time begin of the part",
             name);
    return false;
  }
  if (sceneMusic.empty()) {
    logError("Part %s: no time, and no music specified in scene, impossible to determine time begin of the part",
             name);
    return false;
  }
  const DemoPart* previous;
  if (!previousMusicPart(demo, index, &previous)) return false;
  if (!previous) {
    logError("Part %s: when no time in part and a music in the scene, there must be a music before", name);
    return false;
  }
  if (previous->music != sceneMusic) {
    logError("Part %s: when no time in part, the music in the scene must be the same than the previous music", name);
    return false;
  }
  part->time = part->timeBase = addTimes(previous->timeBase, offset);
  return true;
}

bool musicFromScene(const DemoDescription& demo, size_t index, DemoPart* part, const std::string& sceneMusic,
                    int offset) {
  const char* name = part->name.c_str();
  const DemoPart* previous;
  if (!previousMusicPart(demo, index, &previous)) return false;
  if (previous && previous->music == sceneMusic) {
    logError("Part %s: music within the scene, with a time in the part :the music must not be the same music than "
             "previous",
             name);
    return false;
  }
  if (offset != 0) {
    logError("Part %s: music within the scene, with a time in the part :the music offset within the scene must be "
             "zero",
             name);
    return false;
  }
  part->music = sceneMusic;
  return true;
}

// The scene's music as a part names music: its base name with ".mp3".
std::string asPartMusic(const std::string& file) {
  if (file.empty()) return "";
  size_t slash = file.find_last_of("/\\:");
  std::string base = slash == std::string::npos ? file : file.substr(slash + 1);
  size_t dot = base.rfind('.');
  if (dot != std::string::npos) base.resize(dot);
  return base + ".mp3";
}

}  // namespace

bool computeStartTimes(DemoDescription* demo, const std::function<std::string(const DemoPart&)>& sceneMusic,
                       const std::function<int(const DemoPart&)>& musicOffset) {
  for (size_t i = 0; i < demo->parts.size(); ++i) {
    DemoPart& part = demo->parts[i];
    std::string music = asPartMusic(sceneMusic(part));
    if (part.time == -1) {
      if (!timeFromPreviousMusic(*demo, i, &part, music, musicOffset(part))) return false;
    } else if (part.music.empty() && !music.empty()) {
      if (!musicFromScene(*demo, i, &part, music, musicOffset(part))) return false;
    }
  }
  return true;
}

}  // namespace tk
