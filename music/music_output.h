#pragma once
// Where music is heard. The first player asks the media framework for a working
// audio output; on a machine without a sound device it falls back to a silent
// sink synchronised to the system clock, so that the music position still runs
// in real time (the demo player and the scene viewer take their clock from it).
// TESK_AUDIO_SINK may name the sink element to use instead ("fakesink" plays
// silently).

#include <string>

struct _GstElement;
typedef struct _GstElement GstElement;

namespace tk {

// Initialises the media framework once; false when it cannot be initialised.
bool initialiseMediaFramework();

// A new audio sink for one player (floating reference); null when none can be made.
GstElement* makeMusicSink();

// The name of the chosen sink element, and whether it is the silent fallback.
// The choice is made (and reported at INFO) on first use.
const std::string& musicOutputName();
bool musicOutputSilent();

}  // namespace tk
