#pragma once
// A ZIP archive (base/files/zip_archive.h) mounted on the display library's
// file system, in place of the library's own ZIP reader, which neither checks
// what it reads nor follows the content-name rule. A member that is damaged
// is reported ("archive member '%s' is damaged") and does not open.

#include <memory>
#include <string>

namespace irr::io {
class IFileArchive;
class IFileSystem;
}  // namespace irr::io

namespace tk {

class ZipArchive;

// The archive for the file system, named `name` (its path, or "MyRscFile" for
// one held in memory), with one reference for mounting (see addArchive).
irr::io::IFileArchive* makeZipFileArchive(std::unique_ptr<ZipArchive> zip, const std::string& name,
                                          irr::io::IFileSystem* fileSystem);

}  // namespace tk
