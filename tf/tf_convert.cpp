#include "tf/tf_convert.h"

#include "base/files/file_layer.h"
#include "base/log.h"
#include "tf/tf_load.h"
#include "tf/tf_writer.h"

namespace tk {
namespace {

bool endsWithTscn(const std::string& name) {
  static const char kExtension[] = ".tscn";
  const size_t length = sizeof kExtension - 1;
  if (name.size() < length) return false;
  for (size_t i = 0; i < length; ++i)
    if ((name[name.size() - length + i] | 0x20) != kExtension[i]) return false;
  return true;
}

bool fileIsEmpty(const char* path) {
  TkFilePtr file = openFile(path, "rb");
  return file && file->seek(0, 2) == 0 && file->tell() == 0;
}

}  // namespace

TF_Doc* tkLoadTfReporting(const char* path) {
  TF_Doc* doc = TF_Load(path);
  if (doc) return doc;
  if (!fileExists(path))
    print("Cannot read '%s'", path);
  else if (fileIsEmpty(path))
    print("'%s' is empty", path);
  print("Failed to load TF file '%s'", path);
  return nullptr;
}

bool tkConvertTf(const char* input, const char* output, int encoding) {
  TF_Doc* doc = tkLoadTfReporting(input);
  if (!doc) return false;
  std::string error;
  bool saved = TF_SaveFile(doc, output, encoding, &error);
  TF_Free(doc);
  if (!saved) {
    print("%s", error.c_str());
    return false;
  }
  print("Wrote '%s'", output);
  return true;
}

std::string tkBinarySceneName(const std::string& input) {
  if (endsWithTscn(input)) return input.substr(0, input.size() - 5) + ".bin" + input.substr(input.size() - 5);
  return input + ".bin";
}

bool tkConvertSceneToBinary(const std::string& input) {
  return tkConvertTf(input.c_str(), tkBinarySceneName(input).c_str(), 0);
}

}  // namespace tk
