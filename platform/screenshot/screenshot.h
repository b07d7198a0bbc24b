#pragma once

namespace irr::video {
class IVideoDriver;
}

namespace tk {

// Writes the last presented frame to the file; the image format follows the
// file's extension. 0 on success, -1 after logging the failure (code 1); a
// failure leaves no file behind and an existing file of that name untouched.
int takeScreenShot(irr::video::IVideoDriver* driver, const char* fileName);

}  // namespace tk
