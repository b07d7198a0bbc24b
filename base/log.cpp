#include "base/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

#include "base/message_box.h"

namespace tk {
namespace {

struct LogState {
  int threshold = LOG_INFO;
  bool messageBoxes = true;
  bool lastErrorSet = false;
  int lastErrorCode = kErrorNoArgument;
  char lastErrorText[kLogTextMax + 1] = {};
};

LogState& state() {
  static LogState s;
  return s;
}

bool standardStreamsShared() {
  struct stat out {}, err {};
  if (fstat(1, &out) != 0 || fstat(2, &err) != 0) return false;
  return out.st_dev == err.st_dev && out.st_ino == err.st_ino;
}

void formatInto(char* buffer, size_t size, const char* format, va_list args) {
  vsnprintf(buffer, size, format, args);
}

void handleMessage(unsigned flags, int code, const char* format, va_list args) {
  char text[kLogTextMax + 1];
  formatInto(text, sizeof text, format, args);
  LogState& s = state();
  if (flags & LOG_RECORD) {
    s.lastErrorSet = true;
    s.lastErrorCode = code;
    snprintf(s.lastErrorText, sizeof s.lastErrorText, "%s", text);
  }
  unsigned level = flags & 0xFFFFu;
  if (static_cast<int>(level) >= s.threshold) print("%s : %s\n", logLevelName(level), text);
  if ((flags & LOG_SHOW) && s.messageBoxes) showMessageBox(text);
}

}  // namespace

const char* logLevelName(unsigned level) {
  static const char* const names[] = {"DEBUG", "INFO", "WARN", "ERROR", "NONE"};
  return level <= LOG_NONE ? names[level] : "???";
}

void log(unsigned flags, const char* format, ...) {
  va_list args;
  va_start(args, format);
  handleMessage(flags, kErrorNoArgument, format, args);
  va_end(args);
}

void logError(const char* format, ...) {
  va_list args;
  va_start(args, format);
  handleMessage(LOG_ERROR | LOG_SHOW, kErrorNoArgument, format, args);
  va_end(args);
}

void logErrorCode(int code, const char* format, ...) {
  va_list args;
  va_start(args, format);
  handleMessage(LOG_ERROR | LOG_RECORD, code, format, args);
  va_end(args);
}

void logErrorCodeShown(int code, const char* format, ...) {
  va_list args;
  va_start(args, format);
  handleMessage(LOG_ERROR | LOG_RECORD | LOG_SHOW, code, format, args);
  va_end(args);
}

void setLogThreshold(int level) { state().threshold = level; }
int logThreshold() { return state().threshold; }
void disableMessageBoxes() { state().messageBoxes = false; }
void enableMessageBoxes() { state().messageBoxes = true; }
bool messageBoxesEnabled() { return state().messageBoxes; }

bool takeLastError(std::string* text, int* code) {
  LogState& s = state();
  if (!s.lastErrorSet) {
    if (code) *code = kErrorNoArgument;
    return false;
  }
  if (text) *text = s.lastErrorText;
  if (code) *code = s.lastErrorCode;
  return true;
}

void clearLastError() { state().lastErrorSet = false; }

void messageBox(const char* format, ...) {
  char text[kLogTextMax + 1];
  va_list args;
  va_start(args, format);
  formatInto(text, sizeof text, format, args);
  va_end(args);
  showMessageBox(text);
}

void print(const char* format, ...) {
  char text[1025];
  va_list args;
  va_start(args, format);
  formatInto(text, sizeof text, format, args);
  va_end(args);
  // Standard error is this platform's debug channel; standard output gets the line.
  // When both streams go to the same place the debug copy would only repeat it.
  // Each message is a line of its own there too, also when its text has no end.
  if (!standardStreamsShared()) {
    fputs(text, stderr);
    const size_t length = strlen(text);
    if (length == 0 || text[length - 1] != '\n') fputc('\n', stderr);
  }
  fputs(text, stdout);
  fputc('\n', stdout);
  fflush(stdout);
}

}  // namespace tk
