#include "geometry/guarded/zero_filled_read_file.h"

#include <algorithm>
#include <cstring>

namespace tk {

irr::s32 CTkZeroFilledReadFile::read(void* buffer, irr::u32 sizeToRead) {
  const size_t available = bytes_.size() - static_cast<size_t>(position_);
  const size_t copied = std::min<size_t>({available, sizeToRead, 0x7FFFFFFF});
  std::memcpy(buffer, bytes_.data() + position_, copied);
  std::memset(static_cast<char*>(buffer) + copied, 0, sizeToRead - copied);
  position_ += static_cast<long>(copied);
  return static_cast<irr::s32>(copied);
}

bool CTkZeroFilledReadFile::seek(long finalPos, bool relativeMovement) {
  const long target = relativeMovement ? position_ + finalPos : finalPos;
  if (target < 0 || target > getSize()) return false;
  position_ = target;
  return true;
}

}  // namespace tk
