#include "tests/support/zip_builder.h"

#include <zip.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tk::test {

std::string makeZip(const std::map<std::string, std::string>& members, bool stored) {
  char path[] = "/tmp/tesk-zip-XXXXXX";
  int fd = mkstemp(path);
  if (fd < 0) throw std::runtime_error("mkstemp");
  close(fd);
  int error = 0;
  zip_t* archive = zip_open(path, ZIP_TRUNCATE | ZIP_CREATE, &error);
  if (!archive) throw std::runtime_error("zip_open");
  for (const auto& [name, data] : members) {
    zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
    zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
    zip_set_file_compression(archive, index, stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, stored ? 0 : 6);
  }
  if (zip_close(archive) != 0) throw std::runtime_error("zip_close");
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  remove(path);
  return bytes.str();
}

}  // namespace tk::test
