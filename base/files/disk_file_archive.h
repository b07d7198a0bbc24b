#pragma once
// The display library opens meshes, their material libraries and textures
// through its own file system, which falls back to plain disk files after its
// archives. This archive, mounted after every other one, answers those disk
// lookups under the engine's rules instead:
//   - names written on Windows are found (base/files/content_names.h);
//   - only regular files are opened (base/files/regular_file.h). A folder, a
//     pipe or a device named exactly reads as an empty file, which every
//     loader refuses, rather than falling through to the library's own
//     opening (a folder would report a size of 2^63 bytes, a pipe would block).

namespace irr::io {
class IFileArchive;
class IFileSystem;
}  // namespace irr::io

namespace tk {

// Hands a newly made archive (reference count one) to the file system, which
// keeps it from then on; false when the file system refuses it (it is then released).
bool addArchive(irr::io::IFileSystem* fileSystem, irr::io::IFileArchive* archive);
// Mounts the disk lookup on a file system once; later calls do nothing.
void mountDiskLookup(irr::io::IFileSystem* fileSystem);
bool isDiskLookup(const irr::io::IFileArchive* archive);
// Adds a newly made archive, as addArchive, so that it is searched before the disk lookup.
bool mountArchiveBeforeDisk(irr::io::IFileSystem* fileSystem, irr::io::IFileArchive* archive);

}  // namespace tk
