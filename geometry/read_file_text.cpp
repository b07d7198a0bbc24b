#include "geometry/read_file_text.h"

#include <algorithm>

namespace tk {

std::string readFileText(irr::io::IReadFile* file) {
  std::string text;
  long remaining = file->getSize();
  char piece[65536];
  while (remaining > 0) {
    const irr::s32 got = file->read(piece, static_cast<irr::u32>(std::min<long>(remaining, sizeof piece)));
    if (got <= 0) break;
    text.append(piece, static_cast<size_t>(got));
    remaining -= got;
  }
  return text;
}

}  // namespace tk
