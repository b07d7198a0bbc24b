#include "geometry/source_points.h"

#include <mutex>
#include <unordered_map>

namespace tk {
namespace {

// Buffers register themselves while they live, so a stale pointer is never found.
struct SourcePointRegistry {
  std::mutex lock;
  std::unordered_map<const irr::scene::IMeshBuffer*, const std::vector<irr::u32>*> tables;
};

// Never destroyed: buffers still alive at exit unregister into it.
SourcePointRegistry& registry() {
  static SourcePointRegistry* instance = new SourcePointRegistry;
  return *instance;
}

}  // namespace

const std::vector<irr::u32>* sourcePoints(const irr::scene::IMeshBuffer* buffer) {
  SourcePointRegistry& r = registry();
  std::lock_guard<std::mutex> hold(r.lock);
  auto found = r.tables.find(buffer);
  return found == r.tables.end() ? nullptr : found->second;
}

namespace detail {

void rememberSourcePoints(const irr::scene::IMeshBuffer* buffer, const std::vector<irr::u32>* points) {
  SourcePointRegistry& r = registry();
  std::lock_guard<std::mutex> hold(r.lock);
  r.tables[buffer] = points;
}

void forgetSourcePoints(const irr::scene::IMeshBuffer* buffer) {
  SourcePointRegistry& r = registry();
  std::lock_guard<std::mutex> hold(r.lock);
  r.tables.erase(buffer);
}

}  // namespace detail
}  // namespace tk
