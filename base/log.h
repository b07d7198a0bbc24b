#pragma once
// Shared log: levelled messages to the debug channel and standard output,
// optionally a message box, plus the last-error slot through which engine
// commands report a failure (with a code) to the script layer.

#include <string>

namespace tk {

enum LogLevel : int {
  LOG_DEBUG = 0,
  LOG_INFO = 1,
  LOG_WARN = 2,
  LOG_ERROR = 3,
  LOG_NONE = 4,
};

// Flag bits above the level in a message's flags word.
constexpr unsigned LOG_RECORD = 0x10000;  // store message and code in the last-error slot
constexpr unsigned LOG_SHOW = 0x20000;    // also show a message box (when enabled)

constexpr int kLogTextMax = 1023;  // characters kept of one message

// The code a recorded failure carries: the position, from 1, of the failing
// command's argument it is about (the script layer raises it as a bad
// argument with that number), or kErrorNoArgument. The slot answers
// kErrorNoArgument when it is empty.
enum LastErrorCode : int {
  kErrorNoArgument = -1,
  kErrorArgument1 = 1,
  kErrorArgument2 = 2,
  kErrorArgument3 = 3,
  kErrorArgument7 = 7,
};

// Name of a level as printed: "DEBUG" ... "NONE", "???" for any other value.
const char* logLevelName(unsigned level);

void log(unsigned flags, const char* format, ...) __attribute__((format(printf, 2, 3)));
// ERROR, shown in a message box.
void logError(const char* format, ...) __attribute__((format(printf, 1, 2)));
// ERROR, recorded in the last-error slot with the code, not shown.
void logErrorCode(int code, const char* format, ...) __attribute__((format(printf, 2, 3)));
// ERROR, recorded and shown (start-up failures).
void logErrorCodeShown(int code, const char* format, ...) __attribute__((format(printf, 2, 3)));

void setLogThreshold(int level);
int logThreshold();
void disableMessageBoxes();
void enableMessageBoxes();
bool messageBoxesEnabled();

// When the slot is set: returns true, the text and the code. Otherwise false and
// kErrorNoArgument.
bool takeLastError(std::string* text, int* code);
void clearLastError();

// Formats (1023 characters at most) and shows the text in the message box captioned "Tesk".
void messageBox(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Plain output: the debug channel (standard error, unless it goes where standard
// output goes), ended by a line end when the text has none, and, followed by a
// line end, standard output.
void print(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tk
