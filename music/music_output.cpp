#include "music/music_output.h"

#include <gst/gst.h>

#include <cstdlib>

#include "base/log.h"

namespace tk {
namespace {

constexpr const char* kSilentSink = "fakesink";

struct MusicOutput {
  std::string sinkName;
  bool silent = true;
};

// The element autoaudiosink settled on, or empty when it found nothing (it then
// holds a fakesink of its own).
std::string probeAudioDevice() {
  GstElement* probe = gst_element_factory_make("autoaudiosink", nullptr);
  if (!probe) return std::string();
  gst_object_ref_sink(probe);
  std::string found;
  if (gst_element_set_state(probe, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE) {
    GList* children = GST_BIN_CHILDREN(GST_BIN(probe));
    if (children) {
      GstElementFactory* factory = gst_element_get_factory(GST_ELEMENT(children->data));
      if (factory) found = gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory));
    }
  }
  gst_element_set_state(probe, GST_STATE_NULL);
  gst_object_unref(probe);
  return found == kSilentSink ? std::string() : found;
}

// The sink named by TESK_AUDIO_SINK when that element exists; else empty.
std::string requestedSink() {
  const char* requested = getenv("TESK_AUDIO_SINK");
  if (!requested || !*requested) return std::string();
  GstElementFactory* factory = gst_element_factory_find(requested);
  if (!factory) {
    log(LOG_WARN, "music output: no element '%s' (TESK_AUDIO_SINK), detecting one", requested);
    return std::string();
  }
  gst_object_unref(factory);
  return requested;
}

MusicOutput chooseOutput() {
  MusicOutput output;
  const char* why = "TESK_AUDIO_SINK";
  if (initialiseMediaFramework()) output.sinkName = requestedSink();
  if (output.sinkName.empty() && initialiseMediaFramework()) {
    output.sinkName = probeAudioDevice();
    why = "detected";
  }
  if (output.sinkName.empty()) {
    output.sinkName = kSilentSink;
    why = "no audio device";
  }
  output.silent = output.sinkName == kSilentSink;
  if (output.silent)
    log(LOG_INFO, "music output: %s, playing silently on the system clock (%s)", why, kSilentSink);
  else
    log(LOG_INFO, "music output: %s (%s)", output.sinkName.c_str(), why);
  return output;
}

const MusicOutput& output() {
  static const MusicOutput chosen = chooseOutput();
  return chosen;
}

}  // namespace

bool initialiseMediaFramework() {
  static const bool initialised = [] {
    GError* error = nullptr;
    if (gst_init_check(nullptr, nullptr, &error)) return true;
    log(LOG_ERROR, "media framework: %s", error ? error->message : "cannot initialise");
    if (error) g_error_free(error);
    return false;
  }();
  return initialised;
}

GstElement* makeMusicSink() {
  if (!initialiseMediaFramework()) return nullptr;
  GstElement* sink = gst_element_factory_make(output().sinkName.c_str(), nullptr);
  // A silent sink must still wait for each buffer's time, or the music clock
  // would race ahead of the wall clock.
  if (sink && output().silent) g_object_set(sink, "sync", TRUE, nullptr);
  return sink;
}

const std::string& musicOutputName() { return output().sinkName; }
bool musicOutputSilent() { return output().silent; }

}  // namespace tk
