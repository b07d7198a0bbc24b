#pragma once
// Audio files made at test time by the media framework itself: a sine tone of a
// given length encoded as mp3 or ogg/vorbis.

#include <gst/gst.h>

#include <string>

#include "music/music_output.h"

namespace tk::test {

enum class AudioFormat { Mp3, OggVorbis };

// Writes `seconds` of tone to `path`; false when the encoder is missing or fails.
inline bool writeTone(const std::string& path, AudioFormat format, int seconds) {
  if (!initialiseMediaFramework()) return false;
  // 100 buffers of 441 samples are one second at 44.1 kHz.
  std::string description = "audiotestsrc num-buffers=" + std::to_string(seconds * 100) +
                            " samplesperbuffer=441 ! audio/x-raw,rate=44100,channels=2 ! audioconvert ! " +
                            (format == AudioFormat::Mp3 ? "lamemp3enc target=bitrate bitrate=128 cbr=true"
                                                        : "vorbisenc ! oggmux") +
                            " ! filesink location=\"" + path + "\"";
  GError* error = nullptr;
  GstElement* pipeline = gst_parse_launch(description.c_str(), &error);
  if (error) g_error_free(error);
  if (!pipeline) return false;
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  GstBus* bus = gst_element_get_bus(pipeline);
  GstMessage* end = gst_bus_timed_pop_filtered(bus, 30 * GST_SECOND,
                                               static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  bool written = end && GST_MESSAGE_TYPE(end) == GST_MESSAGE_EOS;
  if (end) gst_message_unref(end);
  gst_object_unref(bus);
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(pipeline);
  return written;
}

}  // namespace tk::test
