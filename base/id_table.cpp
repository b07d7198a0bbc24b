#include "base/id_table.h"

#include <cstdarg>
#include <cstdio>

namespace tk {
namespace {
char g_idErrorText[1024] = {};
}

const char* idErrorText() { return g_idErrorText; }

void setIdErrorText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  vsnprintf(g_idErrorText, sizeof g_idErrorText, format, args);
  va_end(args);
}

bool idInRange(int id, int capacity) {
  if (id < 0) {
    setIdErrorText("invalid negative ID %d", id);
    return false;
  }
  if (id >= capacity) {
    setIdErrorText("invalid ID %d greater or equals than %d", id, capacity);
    return false;
  }
  return true;
}

}  // namespace tk
