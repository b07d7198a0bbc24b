#include "base/files/ini_file.h"

#include <iniparser.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>

#include "base/files/file_layer.h"
#include "base/saturating.h"

namespace tk {
namespace {

// iniparser reports syntax errors through a process-wide callback; collect them.
std::string g_parseErrors;

int collectParseError(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  int n = vsnprintf(text, sizeof text, format, args);
  va_end(args);
  g_parseErrors += text;
  return n;
}

// The parser names the file it read; that is the anonymous file's descriptor
// path, which means nothing to whoever wrote the text.
std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); !from.empty() && at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::string singleLine(std::string text) {
  for (char& c : text)
    if (c == '\n') c = ' ';
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

// iniparser reads only from a path; an anonymous in-memory file gives it one for
// text that came through the file layer (possibly out of an archive).
std::unique_ptr<IniFile> IniFile::fromText(const std::string& text, std::string* error, const std::string& name) {
  if (error) error->clear();
  int fd = memfd_create("tesk-ini", MFD_CLOEXEC);
  if (fd < 0) return nullptr;
  size_t written = 0;
  while (written < text.size()) {
    ssize_t n = write(fd, text.data() + written, text.size() - written);
    if (n <= 0) {
      close(fd);
      return nullptr;
    }
    written += static_cast<size_t>(n);
  }
  char path[64];
  snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
  g_parseErrors.clear();
  iniparser_set_error_callback(collectParseError);
  dictionary* d = iniparser_load(path);
  iniparser_set_error_callback(nullptr);
  close(fd);
  if (!d) {
    if (error) *error = g_parseErrors.empty() ? "cannot be parsed" : singleLine(replaceAll(g_parseErrors, path, name));
    return nullptr;
  }
  return std::unique_ptr<IniFile>(new IniFile(d));
}

std::unique_ptr<IniFile> IniFile::load(const char* name, std::string* error) {
  std::string text;
  if (error) error->clear();
  if (!readWholeFile(name, &text)) return nullptr;
  return fromText(text, error, name);
}

IniFile::~IniFile() { iniparser_freedict(dictionary_); }

bool IniFile::has(const char* key) const { return iniparser_find_entry(dictionary_, key) != 0; }

const char* IniFile::getString(const char* key, const char* fallback) const {
  return iniparser_getstring(dictionary_, key, fallback);
}

int IniFile::getInt(const char* key, int fallback) const {
  // Held to the int range rather than cut to its low 32 bits.
  return saturatedInt(static_cast<int64_t>(iniparser_getlongint(dictionary_, key, fallback)));
}

uint32_t IniFile::getWord(const char* key, uint32_t fallback) const {
  long value = iniparser_getlongint(dictionary_, key, static_cast<long>(fallback));
  if (value > static_cast<long>(UINT32_MAX)) return UINT32_MAX;
  if (value < static_cast<long>(INT32_MIN)) return 0x80000000u;
  return static_cast<uint32_t>(value);
}

double IniFile::getDouble(const char* key, double fallback) const {
  return iniparser_getdouble(dictionary_, key, fallback);
}

int IniFile::sectionCount() const { return iniparser_getnsec(dictionary_); }

std::string IniFile::sectionName(int index) const {
  const char* name = iniparser_getsecname(dictionary_, index);
  return name ? name : "";
}

}  // namespace tk
