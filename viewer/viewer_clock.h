#pragma once
// The scene viewer's clock: the scene time against the timer or the music, with
// pause, loop, stepping, the end of the scene and jumps to a given time. It knows
// nothing of windows or scenes, so its rules can be tested on their own. Times
// are milliseconds; `now` is the timer value of the current loop iteration.

#include <cstdint>
#include <string>

namespace tk {

// The music that plays beside the scene. Positions are music positions (scene
// time plus the scene's music offset).
class ViewerMusic {
 public:
  virtual ~ViewerMusic() = default;
  virtual void playFrom(int positionMs) = 0;
  virtual void pause() = 0;
  virtual void seek(int positionMs) = 0;
  // -1 when the music cannot tell.
  virtual int position() = 0;
  // Why the music stopped moving on (it ended, failed or stalls); empty while it plays on.
  virtual std::string clockFault() = 0;
};

struct SceneTiming {
  int firstFrame = 0;
  int frameRate = 0;  // whole frames per second
  int lengthMs = 0;
  int frameSpan = 0;  // last frame minus first frame
  int musicOffsetMs = 0;
};

class ViewerClock {
 public:
  // Without music the clock runs on the timer alone.
  ViewerClock(const SceneTiming& timing, ViewerMusic* music) : timing_(timing), music_(music) {}

  // Scene time 0 is now, or the time of frame `frameStart` when given (kept
  // within the scene). A paused start holds that time; otherwise the music starts.
  void start(int32_t now, bool paused, bool atFrameStart, int frameStart);

  // The time to show: the paused time, else the music's position or the timer,
  // kept within [0, length]. A music that stops moving on (it ends before the
  // scene, fails or stalls) hands over to the timer from where it stopped, said
  // once at WARN; a seek or a new start lets it lead again.
  int sceneTime(int32_t now);

  void toggleLoop() { loop_ = !loop_; }
  // Pausing holds the current scene time; resuming at the end starts over.
  void togglePause(int32_t now);
  // Positive steps go forward: 5 ms each while paused, 10 ms each while playing.
  void step(int32_t now, int steps);
  // While playing: before the start pause at 0; at the end loop or pause there.
  void keepWithinScene(int32_t now);
  // Shows scene time t from now on (held when paused) and marks the scene for animation.
  void jumpTo(int32_t now, int t);
  // A scene that was replaced brings its own timing; the clock keeps its time.
  void setTiming(const SceneTiming& timing) { timing_ = timing; }

  // True when the scene must be animated to m in this iteration: always while
  // playing, while paused only when m changed or the scene was marked.
  bool needsAnimation(int m);
  void markForAnimation() { marked_ = true; }
  bool marked() const { return marked_; }

  // Frame number at scene time t, and the scene time of a frame (0 without a rate).
  double frameAt(int t) const;
  int timeOfFrame(double frame) const;
  // The time of a frame the modelling package reports: rounded up, never below 0.
  int timeOfSyncFrame(uint32_t frame) const;

  bool paused() const { return paused_; }
  int pausedTime() const { return pausedTime_; }
  bool looping() const { return loop_; }
  int32_t origin() const { return origin_; }
  const SceneTiming& timing() const { return timing_; }

 private:
  int clampToScene(int t) const;
  // Saturated: an origin moved far by steps or jumps must not wrap around.
  int timeSinceOrigin(int32_t now) const;
  void pauseAt(int t);
  void playFrom(int32_t now, int t);
  void seekMusic(int t);
  void carryOnWithoutMusic(int32_t now, const std::string& why);

  SceneTiming timing_;
  ViewerMusic* music_;
  int32_t origin_ = 0;
  bool paused_ = false;
  int pausedTime_ = 0;
  bool loop_ = false;
  bool musicRunning_ = false;
  bool musicLeads_ = false;      // the music's position is the scene time
  int lastMusicTime_ = 0;        // the scene time the music last gave
  bool musicFaultSaid_ = false;  // the hand-over to the timer is said once
  bool marked_ = true;
  int lastAnimated_ = -1;
};

}  // namespace tk
