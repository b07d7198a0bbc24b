#pragma once
// A display-library file over bytes in memory that answers a read past its end
// with zeros. Several of the library's loaders read without checking how much
// they got; from a truncated file they would see whatever the variable held
// before, which differs between the trial load and the real one. With zeros
// both see the same values. Seeks outside the bytes are refused.

#include <irrlicht.h>

#include <string>

namespace tk {

class CTkZeroFilledReadFile : public irr::io::IReadFile {
 public:
  // The bytes must outlive the file.
  CTkZeroFilledReadFile(const std::string& bytes, const irr::io::path& name) : bytes_(bytes), name_(name) {}

  irr::s32 read(void* buffer, irr::u32 sizeToRead) override;
  bool seek(long finalPos, bool relativeMovement = false) override;
  long getSize() const override { return static_cast<long>(bytes_.size()); }
  long getPos() const override { return position_; }
  const irr::io::path& getFileName() const override { return name_; }

 private:
  const std::string& bytes_;
  irr::io::path name_;
  long position_ = 0;
};

}  // namespace tk
