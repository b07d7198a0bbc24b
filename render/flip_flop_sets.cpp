#include "render/flip_flop_sets.h"

#include <cstdio>

namespace tk {

bool parseFlipFlopReference(const std::string& text, FlipFlopReference* reference) {
  size_t open = text.find('[');
  if (open == std::string::npos) return false;
  size_t close = text.find(']', open);
  if (close == std::string::npos) return false;
  std::string base = text.substr(0, open);
  std::string group = text.substr(open + 1, close - open - 1);
  int phase = 0, a = 0, b = 1;
  if (!group.empty()) {
    if (group.size() <= 2) return false;
    char tail;
    bool read = group.find(':') != std::string::npos
                    ? sscanf(group.c_str(), "%d:%d-%d%c", &phase, &a, &b, &tail) == 3
                    : sscanf(group.c_str(), "%d-%d%c", &a, &b, &tail) == 2;
    if (!read || b < a) return false;
  }
  reference->base = base;
  reference->first = a;
  reference->count = b - a + 1;
  reference->phase = phase;
  reference->canonicalName = base + "[" + std::to_string(a) + "-" + std::to_string(b) + "]";
  return true;
}

irr::video::ITexture* FlipFlopSet::resolve(int phase) const {
  int index = (rotation + phase) % count;
  if (index < 0) index += count;
  return members[index];
}

FlipFlopSet* FlipFlopTable::findSet(const std::string& canonicalName) {
  for (FlipFlopSet& set : sets_)
    if (set.canonicalName == canonicalName) return &set;
  return nullptr;
}

FlipFlopSet* FlipFlopTable::setFor(const FlipFlopReference& reference) {
  if (FlipFlopSet* existing = findSet(reference.canonicalName)) return existing;
  FlipFlopSet set;
  set.canonicalName = reference.canonicalName;
  set.count = reference.count;
  set.first = reference.first;
  // Members are always base[0] .. base[n-1], whatever the first index.
  for (int i = 0; i < reference.count; ++i) {
    irr::video::ITexture* texture = lookup_(reference.base + "[" + std::to_string(i) + "]");
    if (!texture) return nullptr;
    set.members.push_back(texture);
  }
  sets_.push_back(set);
  return &sets_.back();
}

}  // namespace tk
