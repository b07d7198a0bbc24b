#pragma once
// Morph weights of an object. Only morph meshes have morph targets; for every
// other kind of object the command does nothing.

namespace tk {

constexpr int kMorphListCapacity = 60;

// `count` pairs of (morph target number, weight), at most kMorphListCapacity.
void SetObjectMorph(int id, const int* morphs, const float* weights, int count);

}  // namespace tk
