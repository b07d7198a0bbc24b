#pragma once
// Texel transfers between memory and GL with rows tightly packed, whatever
// pixel-store state and pixel buffers the display library or other code left:
// the state is set for the object's lifetime and put back afterwards.

namespace tk {

class TightPixelStore {
 public:
  TightPixelStore();
  ~TightPixelStore();
  TightPixelStore(const TightPixelStore&) = delete;
  TightPixelStore& operator=(const TightPixelStore&) = delete;

 private:
  static constexpr int kSettings = 12;
  int saved_[kSettings];
  int packBuffer_ = 0, unpackBuffer_ = 0;
};

}  // namespace tk
