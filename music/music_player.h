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

#include "music/music_stall_watch.h"

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
  // Why the music stopped moving on while it ran; empty while it moves.
  // Found out by position(): the stream ended ("it ended"), the media
  // framework reported an error (its text), or the position stood still for
  // kMusicStallMs while running. A seek forgets an end or a stall; an error
  // stays.
  const std::string& fault() const { return fault_; }

  void setVolume(int hundredthsOfDecibel);
  int volume() const { return volume_; }

 private:
  explicit MusicPlayer(GstElement* pipeline) : pipeline_(pipeline) {}
  bool changeState(int state);
  void drainMessages();
  void watchPosition(int64_t milliseconds);

  GstElement* pipeline_;
  bool loaded_ = false;
  bool running_ = false;
  bool failed_ = false;  // the framework reported an error
  std::string fault_;
  MusicStallWatch stallWatch_;
  int volume_ = 0;
};

}  // namespace tk
