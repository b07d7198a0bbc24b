#pragma once
// Taking up a rewritten scene file into the slot that shows it. Until scenes
// can be updated in place, the new version replaces the old one whole, under
// the same slot, bases and name.

namespace tk {

// True when the slot holds the file's new version. The file is read before the
// old scene goes, so that a version that cannot be read leaves it in place.
bool reloadScene(int sceneId, const char* path);

}  // namespace tk
