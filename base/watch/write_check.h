#pragma once
// Whether a file is still being written. Linux has no share-mode locks, so a
// reader cannot simply fail to open a file that a writer holds; instead this asks
// for a read lease, which the kernel grants only while no process has the file
// open for writing. Where leases are not available (a file of another owner
// without the lease capability, some network file systems) a file modified
// within the last 100 ms counts as still being written.

namespace tk {

constexpr int kWriteQuietMs = 100;

// `fd` must be open read-only.
bool fileBeingWritten(int fd);

}  // namespace tk
