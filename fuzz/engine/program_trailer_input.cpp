#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/engine/fuzz_inputs.h"
#include "packaging/packed_archive.h"
#include "packaging/program_resources.h"

namespace tk::fuzz {
namespace {

// A scratch folder for one input, removed with everything in it; the process
// works in it meanwhile, as the extraction writes below the current folder.
class ScratchFolder {
 public:
  ScratchFolder() {
    char pattern[] = "/tmp/tesk-fuzz-XXXXXX";
    if (mkdtemp(pattern)) path_ = pattern;
    if (!getcwd(saved_, sizeof saved_) || path_.empty() || chdir(path_.c_str()) != 0) abort();
  }
  ~ScratchFolder() {
    if (chdir(saved_) != 0) abort();
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  char saved_[4096];
};

// A resource written into the program must read back, and the others must stay as they were.
void checkRewrite(const std::string& program, const ProgramResources& before) {
  std::string archive;
  const bool hadArchive = loadProgramResource(program, kResourceArchive, &archive);
  std::string error;
  const std::string shaders = "engine shaders";
  if (!writeProgramResource(program, kResourceShaders, shaders, &error)) return;
  std::string read;
  if (!loadProgramResource(program, kResourceShaders, &read) || read != shaders) abort();
  std::string archiveAfter;
  if (loadProgramResource(program, kResourceArchive, &archiveAfter) != hadArchive || archiveAfter != archive) abort();
  ProgramResources after;
  if (!readProgramResources(program, &after) || after.programSize != before.programSize) abort();
}

}  // namespace

int programTrailer(const uint8_t* data, size_t size) {
  prepareProcess();
  ScratchFolder scratch;
  const std::string program = scratch.path() + "/tesk";
  {
    std::ofstream out(program, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  ProgramResources resources;
  bool damaged = false;
  if (!readProgramResources(program, &resources, &damaged)) abort();  // a regular file always reads
  std::string bytes;
  for (uint32_t id : {kResourceArchive, kResourceShaders}) loadProgramResource(program, id, &bytes);
  packedArchivePresent(program);
  extractPackedScene(program);
  checkRewrite(program, resources);
  return 0;
}

}  // namespace tk::fuzz
