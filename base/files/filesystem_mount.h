#pragma once
// Mounting the engine file system: plain files, an archive file on disk, or an
// archive held in memory. The choice is remembered, so that a device created
// later mounts the same archive.

#include <cstddef>

namespace irr {
class IrrlichtDevice;
}

namespace tk {

enum FileSystemMode { FS_PLAIN = 0, FS_ARCHIVE_FILE = 2, FS_ARCHIVE_MEMORY = 3, FS_PLAIN_ALT = 4 };

// `source` is the archive's path (mode 2) or its memory block of `size` bytes
// (mode 3); unused otherwise. Mounts at once when a device exists. 0 or -1.
int tkSetupFilesystem(const void* source, int mode, size_t size);

// Mounts the remembered mode on a new device and installs the device file layer;
// later calls of tkSetupFilesystem mount on this device until it is unmounted.
int mountFileSystemOnDevice(irr::IrrlichtDevice* device);
// Device gone: back to plain files.
void unmountFileSystem();

int fileSystemMode();

}  // namespace tk
