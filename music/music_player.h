#pragma once
// One music's player: a media framework pipeline built for one (temporary) file,
// with run, pause, stop, absolute seek and position in milliseconds, and a volume
// in hundredths of a decibel.
//
// Once loaded the pipeline never drops below "paused", so the position survives
// stop, pause and seeking before the first run; "stop" therefore halts playback
// where it is, and running again continues from there.

#include <cstdint>
#include <memory>
#include <string>

struct _GstElement;
typedef struct _GstElement GstElement;

namespace tk {

class MusicPlayer {
 public:
  // Null when the media framework cannot make a player.
  static std::unique_ptr<MusicPlayer> create();
  ~MusicPlayer();
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  // Builds the pipeline for the file and waits until it is ready to play.
  // False when the file is not playable audio.
  bool load(const std::string& path);
  bool loaded() const { return loaded_; }

  bool run();
  bool pause();
  bool stop();
  // Absolute position; returns once the pipeline has moved there.
  bool setPosition(int64_t milliseconds);
  // -1 when not loaded or the framework cannot say.
  int64_t position();

  void setVolume(int hundredthsOfDecibel);
  int volume() const { return volume_; }

 private:
  explicit MusicPlayer(GstElement* pipeline) : pipeline_(pipeline) {}
  bool changeState(int state);
  void drainMessages();

  GstElement* pipeline_;
  bool loaded_ = false;
  int volume_ = 0;
};

}  // namespace tk
