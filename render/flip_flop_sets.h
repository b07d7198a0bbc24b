#pragma once
// Flip-flop texture sets: a texture reference ending in a bracket group
// ("Name[]", "Name[a-b]", "Name[k:a-b]") names render targets used in rotation.

#include <irrlicht.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace tk {

struct FlipFlopReference {
  std::string base;
  std::string canonicalName;  // base + "[a-b]"
  int count = 0;
  int first = 0;
  int phase = 0;
};

// False when the text is no flip-flop reference (no bracket group, a group of
// one or two characters such as "[0]", or a group that does not read as a-b or k:a-b).
bool parseFlipFlopReference(const std::string& text, FlipFlopReference* reference);

struct FlipFlopSet {
  std::string canonicalName;
  int count = 0;
  int first = 0;
  std::vector<irr::video::ITexture*> members;
  int rotation = 0;
  bool keepRotation = false;

  irr::video::ITexture* resolve(int phase) const;
  void advance() { rotation = (rotation + 1) % count; }
};

// The sets of one command renderer.
class FlipFlopTable {
 public:
  using TextureLookup = std::function<irr::video::ITexture*(const std::string& name)>;
  explicit FlipFlopTable(TextureLookup lookup) : lookup_(std::move(lookup)) {}

  // The set a reference names, made on first use from the textures base[0] ..
  // base[n-1]; null when one of them does not exist.
  FlipFlopSet* setFor(const FlipFlopReference& reference);
  FlipFlopSet* findSet(const std::string& canonicalName);
  std::deque<FlipFlopSet>& sets() { return sets_; }

 private:
  TextureLookup lookup_;
  std::deque<FlipFlopSet> sets_;  // stable addresses: commands keep pointers to sets
};

}  // namespace tk
