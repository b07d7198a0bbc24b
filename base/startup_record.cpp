#include "base/startup_record.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace tk {
namespace {

StartupRecord g_record;
constexpr size_t kProgramPathMax = 260;

// The program file: /proc/self/exe names it even when it was found through PATH.
std::string absoluteProgramPath(const char* firstWord) {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n > 0) return std::string(buffer, n);
  if (firstWord && realpath(firstWord, buffer)) return buffer;
  return firstWord ? firstWord : "";
}

void reattachToTerminal() {
  int tty = open("/dev/tty", O_RDWR | O_CLOEXEC);
  if (tty < 0) return;  // no controlling terminal: keep the streams as they are
  fflush(stdout);
  fflush(stderr);
  dup2(tty, 0);
  dup2(tty, 1);
  dup2(tty, 2);
  close(tty);
}

}  // namespace

void tkSysInit(int argc, char** argv) {
  g_record = StartupRecord();
  g_record.programPath = absoluteProgramPath(argc > 0 ? argv[0] : nullptr);
  if (g_record.programPath.size() > kProgramPathMax) g_record.programPath.resize(kProgramPathMax);
  size_t slash = g_record.programPath.rfind('/');
  g_record.programDirectory = slash == std::string::npos ? "./" : g_record.programPath.substr(0, slash + 1);
  for (int i = 0; i < argc; ++i) g_record.words.emplace_back(argv[i]);
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] == '-' && std::string(argv[i]) == "-console") {
      reattachToTerminal();
      break;
    }
  }
}

const StartupRecord& startupRecord() { return g_record; }

namespace {
bool g_runningPacked = false;
}  // namespace

void setRunningPacked(bool packed) { g_runningPacked = packed; }
bool runningPacked() { return g_runningPacked; }

}  // namespace tk
