#include "packaging/packed_archive.h"

#include <unistd.h>

#include "base/files/filesystem_mount.h"
#include "base/files/regular_file.h"
#include "base/log.h"
#include "packaging/pack_tools.h"
#include "packaging/packed_archive_reader.h"
#include "packaging/program_resources.h"
#include "packaging/scramble.h"

namespace tk {
namespace {

// The unscrambled archive; it stays mounted until the process ends.
std::string& archiveBuffer() {
  static std::string buffer;
  return buffer;
}

bool isZip(const std::string& bytes) {
  MemoryArchive archive;
  return archive.open(bytes);
}

// The archive inside the program (unscrambled into the buffer), else the side
// file; false when there is none, or when what is there is no ZIP archive.
bool findPackedArchive(const std::string& programPath, std::string* sideFile) {
  sideFile->clear();
  std::string& buffer = archiveBuffer();
  bool damaged = false;
  ProgramResources resources;
  if (readProgramResources(programPath, &resources, &damaged) && damaged)
    log(LOG_WARN, "the archive table at the end of %s is damaged: starting without it", programPath.c_str());
  if (loadProgramResource(programPath, kResourceArchive, &buffer)) {
    scramble(buffer.data(), buffer.size());
    if (isZip(buffer)) return true;
    log(LOG_WARN, "the archive packed into %s is no ZIP archive: starting without it", programPath.c_str());
    buffer.clear();
    return false;
  }
  std::string side = sideFileOf(programPath), bytes;
  if (!readRegularFile(side.c_str(), &bytes)) return false;
  if (!isZip(bytes)) {
    log(LOG_WARN, "%s is no ZIP archive: starting without it", side.c_str());
    return false;
  }
  *sideFile = side;
  return true;
}

}  // namespace

bool packedArchivePresent(const std::string& programPath) {
  std::string sideFile;
  return findPackedArchive(programPath, &sideFile);
}

bool mountPackedArchive(const std::string& programPath) {
  std::string sideFile;
  if (!findPackedArchive(programPath, &sideFile)) return false;
  if (!sideFile.empty()) return tkSetupFilesystem(sideFile.c_str(), FS_ARCHIVE_FILE, 0) == 0;
  std::string& buffer = archiveBuffer();
  return tkSetupFilesystem(buffer.data(), FS_ARCHIVE_MEMORY, buffer.size()) == 0;
}

}  // namespace tk
