#include "music/music_player.h"

#include <gst/audio/streamvolume.h>
#include <gst/gst.h>


#include "base/log.h"
#include "music/music_output.h"

namespace tk {
namespace {

// playbin flags: decode audio only (a file with pictures never opens a window),
// with the volume applied in software.
constexpr unsigned kPlayAudio = 1u << 1;
constexpr unsigned kPlaySoftVolume = 1u << 4;

constexpr GstClockTime kPrerollTimeout = 10 * GST_SECOND;
constexpr GstClockTime kStateTimeout = 2 * GST_SECOND;

// Logs an error message of the framework at INFO; returns its text.
std::string logFrameworkError(GstMessage* message) {
  GError* error = nullptr;
  gchar* details = nullptr;
  gst_message_parse_error(message, &error, &details);
  const std::string text = error && error->message ? error->message : "unknown error";
  log(LOG_INFO, "media framework: %s", text.c_str());
  if (error) g_error_free(error);
  g_free(details);
  return text;
}

// Waits for the pipeline to finish prerolling; false on an error or a timeout.
bool waitForPreroll(GstElement* pipeline) {
  GstBus* bus = gst_element_get_bus(pipeline);
  GstMessage* message = gst_bus_timed_pop_filtered(
      bus, kPrerollTimeout, static_cast<GstMessageType>(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR));
  gst_object_unref(bus);
  if (!message) {
    log(LOG_INFO, "media framework: no answer while opening the file");
    return false;
  }
  bool ready = GST_MESSAGE_TYPE(message) == GST_MESSAGE_ASYNC_DONE;
  if (!ready) logFrameworkError(message);
  gst_message_unref(message);
  return ready;
}

int audioStreamCount(GstElement* pipeline) {
  gint streams = 0;
  g_object_get(pipeline, "n-audio", &streams, nullptr);
  return streams;
}

}  // namespace

std::unique_ptr<MusicPlayer> MusicPlayer::create() {
  if (!initialiseMediaFramework()) return nullptr;
  GstElement* pipeline = gst_element_factory_make("playbin", nullptr);
  if (!pipeline) return nullptr;
  gst_object_ref_sink(pipeline);
  GstElement* sink = makeMusicSink();
  if (!sink) {
    gst_object_unref(pipeline);
    return nullptr;
  }
  g_object_set(pipeline, "flags", kPlayAudio | kPlaySoftVolume, "audio-sink", sink, nullptr);
  return std::unique_ptr<MusicPlayer>(new MusicPlayer(pipeline));
}

MusicPlayer::~MusicPlayer() {
  gst_element_set_state(pipeline_, GST_STATE_NULL);
  gst_object_unref(pipeline_);
}

bool MusicPlayer::load(const std::string& path) {
  GError* error = nullptr;
  gchar* uri = gst_filename_to_uri(path.c_str(), &error);
  if (!uri) {
    if (error) g_error_free(error);
    return false;
  }
  g_object_set(pipeline_, "uri", uri, nullptr);
  g_free(uri);
  GstStateChangeReturn change = gst_element_set_state(pipeline_, GST_STATE_PAUSED);
  bool ready = change != GST_STATE_CHANGE_FAILURE &&
               (change != GST_STATE_CHANGE_ASYNC || waitForPreroll(pipeline_));
  if (ready && audioStreamCount(pipeline_) == 0) {
    log(LOG_INFO, "media framework: '%s' holds no audio", path.c_str());
    ready = false;
  }
  if (!ready) {
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    return false;
  }
  drainMessages();
  setVolume(volume_);
  loaded_ = true;
  return true;
}

bool MusicPlayer::changeState(int state) {
  if (!loaded_) return false;
  drainMessages();
  if (gst_element_set_state(pipeline_, static_cast<GstState>(state)) == GST_STATE_CHANGE_FAILURE) return false;
  // Wait for the change to take effect, so that a position read right after it
  // already reflects the new state.
  return gst_element_get_state(pipeline_, nullptr, nullptr, kStateTimeout) != GST_STATE_CHANGE_FAILURE;
}

bool MusicPlayer::run() {
  stallWatch_.restart();
  running_ = changeState(GST_STATE_PLAYING);
  return running_;
}
bool MusicPlayer::pause() {
  running_ = false;
  return changeState(GST_STATE_PAUSED);
}
bool MusicPlayer::stop() { return pause(); }

bool MusicPlayer::setPosition(int64_t milliseconds) {
  if (!loaded_) return false;
  drainMessages();
  if (milliseconds < 0) milliseconds = 0;
  stallWatch_.restart();
  if (!failed_) fault_.clear();
  auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
  if (!gst_element_seek_simple(pipeline_, GST_FORMAT_TIME, flags, milliseconds * GST_MSECOND)) return false;
  return gst_element_get_state(pipeline_, nullptr, nullptr, kStateTimeout) != GST_STATE_CHANGE_FAILURE;
}

int64_t MusicPlayer::position() {
  if (!loaded_) return -1;
  drainMessages();
  gint64 nanoseconds = 0;
  if (!gst_element_query_position(pipeline_, GST_FORMAT_TIME, &nanoseconds)) return -1;
  const int64_t milliseconds = nanoseconds / static_cast<gint64>(GST_MSECOND);
  watchPosition(milliseconds);
  return milliseconds;
}

void MusicPlayer::watchPosition(int64_t milliseconds) {
  if (!running_ || !fault_.empty()) return;
  if (stallWatch_.stalled(milliseconds, g_get_monotonic_time() / 1000))
    fault_ = "its position stopped advancing at " + std::to_string(milliseconds) + " ms";
}

void MusicPlayer::setVolume(int hundredthsOfDecibel) {
  volume_ = hundredthsOfDecibel;
  gst_stream_volume_set_volume(GST_STREAM_VOLUME(pipeline_), GST_STREAM_VOLUME_FORMAT_DB,
                               hundredthsOfDecibel / 100.0);
}

// Nothing else reads the bus: empty it, so that messages do not pile up over a
// long run, and keep what ends playback: an error or the end of the stream.
void MusicPlayer::drainMessages() {
  GstBus* bus = gst_element_get_bus(pipeline_);
  while (GstMessage* message = gst_bus_pop(bus)) {
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
      const std::string text = logFrameworkError(message);
      if (!failed_) fault_ = text;
      failed_ = true;
    } else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS && running_ && fault_.empty()) {
      fault_ = "it ended";
    }
    gst_message_unref(message);
  }
  gst_object_unref(bus);
}

}  // namespace tk
