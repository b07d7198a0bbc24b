#pragma once
// A trial load of mesh bytes by the display library's own loaders, in a child
// process that has a device of its own on the null driver. The library's
// older loaders crash or loop on damaged files; the child takes the fault, and
// the engine loads only what a child loaded cleanly.

#include <irrlicht.h>

#include <string>

namespace tk {

enum class TrialLoad { Loaded, Refused, Crashed, TimedOut };

// Loads `bytes` as the file `name` (its extension picks the loader; materials
// and textures it names are looked up as for that file) and waits at most two
// seconds (and one more per megabyte).
TrialLoad trialLoad(const std::string& bytes, const irr::io::path& name);

const char* trialLoadText(TrialLoad outcome);

}  // namespace tk
