#include "geometry/read_file_text.h"

namespace tk {

std::string readFileText(irr::io::IReadFile* file) {
  std::string text;
  char piece[65536];
  for (;;) {
    irr::s32 got = file->read(piece, sizeof piece);
    if (got <= 0) break;
    text.append(piece, static_cast<size_t>(got));
  }
  return text;
}

}  // namespace tk
