#include "packaging/program_resources.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/files/regular_file.h"

namespace tk {
namespace {

constexpr char kMagic[8] = {'T', 'E', 'S', 'K', 'R', 'S', 'R', 'C'};
constexpr size_t kTrailerSize = 8 + 4 + 4 + 8;
constexpr size_t kEntrySize = 4 + 4 + 8 + 8;
constexpr uint32_t kMaxEntries = 64;

void putU32(std::string* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void putU64(std::string* out, uint64_t v) {
  for (int i = 0; i < 8; ++i) out->push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
uint64_t getU(const unsigned char* p, int bytes) {
  uint64_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

// A program file open for reading; only a regular file opens.
struct ProgramFile {
  explicit ProgramFile(const std::string& path) : file(openRegularFile(path.c_str())) {}
  ~ProgramFile() {
    if (file) fclose(file);
  }
  ProgramFile(const ProgramFile&) = delete;
  ProgramFile& operator=(const ProgramFile&) = delete;
  FILE* file;
};

bool readAt(FILE* in, uint64_t offset, uint64_t size, std::string* out) {
  out->clear();
  if (offset > static_cast<uint64_t>(INT64_MAX) || fseeko(in, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
  // In blocks: a damaged table cannot make one huge allocation for bytes that are not there.
  char block[65536];
  while (out->size() < size) {
    size_t want = static_cast<size_t>(std::min<uint64_t>(sizeof block, size - out->size()));
    size_t got = fread(block, 1, want, in);
    out->append(block, got);
    if (got < want) return false;
  }
  return true;
}

bool fileSize(FILE* in, uint64_t* size) {
  struct stat info;
  if (fstat(fileno(in), &info) != 0) return false;
  *size = static_cast<uint64_t>(info.st_size);
  return true;
}

// Parses the trailer and table; false when they are missing or inconsistent.
bool parseTable(FILE* in, uint64_t size, ProgramResources* resources) {
  if (size < kTrailerSize) return false;
  std::string trailer;
  if (!readAt(in, size - kTrailerSize, kTrailerSize, &trailer)) return false;
  const auto* t = reinterpret_cast<const unsigned char*>(trailer.data());
  if (memcmp(t + 16, kMagic, 8) != 0) return false;
  uint64_t tableOffset = getU(t, 8);
  uint32_t count = static_cast<uint32_t>(getU(t + 8, 4));
  if (count > kMaxEntries || tableOffset > size - kTrailerSize ||
      (size - kTrailerSize - tableOffset) != static_cast<uint64_t>(count) * kEntrySize)
    return false;
  std::string table;
  if (!readAt(in, tableOffset, count * kEntrySize, &table)) return false;
  uint64_t programSize = tableOffset;
  for (uint32_t i = 0; i < count; ++i) {
    const auto* e = reinterpret_cast<const unsigned char*>(table.data()) + i * kEntrySize;
    ProgramResource r{static_cast<uint32_t>(getU(e, 4)), getU(e + 8, 8), getU(e + 16, 8)};
    if (r.offset > tableOffset || r.size > tableOffset - r.offset) return false;
    programSize = std::min(programSize, r.offset);
    resources->entries.push_back(r);
  }
  resources->programSize = programSize;
  return true;
}

}  // namespace

bool readProgramResources(const std::string& path, ProgramResources* resources, bool* damaged) {
  *resources = ProgramResources();
  if (damaged) *damaged = false;
  uint64_t size;
  ProgramFile program(path);
  FILE* in = program.file;
  if (!in || !fileSize(in, &size)) return false;
  resources->programSize = size;
  ProgramResources parsed;
  if (parseTable(in, size, &parsed)) {
    *resources = parsed;
    return true;
  }
  // Something that looks like a trailer but does not add up is reported as damage.
  std::string tail;
  if (damaged && size >= 8 && readAt(in, size - 8, 8, &tail) && memcmp(tail.data(), kMagic, 8) == 0) *damaged = true;
  return true;
}

bool loadProgramResource(const std::string& path, uint32_t id, std::string* data) {
  ProgramResources resources;
  if (!readProgramResources(path, &resources)) return false;
  ProgramFile program(path);
  for (const ProgramResource& r : resources.entries)
    if (r.id == id) return program.file && readAt(program.file, r.offset, r.size, data);
  return false;
}

bool writeProgramResource(const std::string& path, uint32_t id, const std::string& data, std::string* error) {
  ProgramResources resources;
  if (!readProgramResources(path, &resources)) {
    *error = "cannot read " + path;
    return false;
  }
  ProgramFile file(path);
  FILE* in = file.file;
  std::string program;
  if (!in || !readAt(in, 0, resources.programSize, &program)) {
    *error = "cannot read " + path;
    return false;
  }
  // Other resources are kept, in their order; the new one replaces its ID or comes last.
  std::vector<std::pair<uint32_t, std::string>> kept;
  for (const ProgramResource& r : resources.entries) {
    if (r.id == id) continue;
    std::string bytes;
    if (!readAt(in, r.offset, r.size, &bytes)) {
      *error = "cannot read resource of " + path;
      return false;
    }
    kept.emplace_back(r.id, std::move(bytes));
  }
  kept.emplace_back(id, data);
  std::string table;
  uint64_t offset = program.size();
  std::string body = program;
  for (const auto& [rid, bytes] : kept) {
    putU32(&table, rid);
    putU32(&table, 0);
    putU64(&table, offset);
    putU64(&table, bytes.size());
    body += bytes;
    offset += bytes.size();
  }
  uint64_t tableOffset = body.size();
  body += table;
  putU64(&body, tableOffset);
  putU32(&body, static_cast<uint32_t>(kept.size()));
  putU32(&body, 0);
  body.append(kMagic, 8);

  std::string temporary = path + ".tmp-XXXXXX";
  int fd = mkstemp(temporary.data());
  if (fd < 0) {
    *error = "cannot create a temporary file beside " + path;
    return false;
  }
  bool written = true;
  for (size_t done = 0; written && done < body.size();) {
    ssize_t n = write(fd, body.data() + done, body.size() - done);
    written = n > 0;
    if (written) done += static_cast<size_t>(n);
  }
  written = fchmod(fd, 0755) == 0 && written;
  written = close(fd) == 0 && written;
  if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    *error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace tk
