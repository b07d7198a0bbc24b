#pragma once
// Resources stored inside a program file. ELF programs have no resource
// section, so the resources are appended to the program, followed by a table of
// entries (id, offset, size) and a trailer that locates the table:
//
//   program bytes | resource data ... | entry table | trailer
//   entry:   u32 id, u32 reserved, u64 offset, u64 size   (little-endian)
//   trailer: u64 table offset, u32 entry count, u32 reserved, "TESKRSRC"
//
// A program without a (valid) trailer simply has no resources.

#include <cstdint>
#include <string>
#include <vector>

namespace tk {

constexpr int kResourceArchive = 500;  // the packed archive
constexpr int kResourceShaders = 501;  // the engine's shaders and textures

struct ProgramResource {
  uint32_t id = 0;
  uint64_t offset = 0;
  uint64_t size = 0;
};

struct ProgramResources {
  uint64_t programSize = 0;  // where the program itself ends
  std::vector<ProgramResource> entries;
};

// Reads the table of a program file. False when the file cannot be read; a file
// without a trailer, or with a damaged one, reads as a program without
// resources (`damaged` says which).
bool readProgramResources(const std::string& path, ProgramResources* resources, bool* damaged = nullptr);
// The data of one resource; false when the program has none of that ID.
bool loadProgramResource(const std::string& path, uint32_t id, std::string* data);
// Writes `data` as resource `id` into the program file, keeping its other
// resources. The file is rewritten through a temporary file and renamed into
// place (mode 0755), so a failure never leaves a broken program. False with the
// reason in `error`.
bool writeProgramResource(const std::string& path, uint32_t id, const std::string& data, std::string* error);

}  // namespace tk
