#include "base/message_box.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tk {
namespace {
MessageBoxHost* g_host = nullptr;

// TESK_MESSAGE_BOXES=0 keeps boxes off screen for unattended runs.
bool dialogsAllowedByEnvironment() {
  const char* value = getenv("TESK_MESSAGE_BOXES");
  return !(value && strcmp(value, "0") == 0);
}
}  // namespace

void setMessageBoxHost(MessageBoxHost* host) { g_host = host; }

void showMessageBox(const char* text) {
  fprintf(stderr, "Tesk: %s\n", text);
  fflush(stderr);
  if (g_host && dialogsAllowedByEnvironment()) g_host->show("Tesk", text);
}

}  // namespace tk
