#pragma once
// Points the engine's file resolver at the source tree's runtime folder (the
// engine's own shader and texture files) for the guard's life.

#include <string>

#include "base/files/file_layer.h"

namespace tk::test {

class RuntimeBaseDirectory {
 public:
  RuntimeBaseDirectory() : saved_(baseDirectory()) { setBaseDirectory(TESK_SOURCE_DIR "/runtime/"); }
  ~RuntimeBaseDirectory() { setBaseDirectory(saved_.c_str()); }
  RuntimeBaseDirectory(const RuntimeBaseDirectory&) = delete;
  RuntimeBaseDirectory& operator=(const RuntimeBaseDirectory&) = delete;

 private:
  std::string saved_;
};

}  // namespace tk::test
