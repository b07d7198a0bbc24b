#include "base/message_box.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tk {
namespace {
MessageBoxHost* g_host = nullptr;
bool g_onScreen = true;

// TESK_MESSAGE_BOXES=0 keeps boxes off screen for unattended runs.
bool dialogsAllowedByEnvironment() {
  const char* value = getenv("TESK_MESSAGE_BOXES");
  return !(value && strcmp(value, "0") == 0);
}
}  // namespace

void setMessageBoxHost(MessageBoxHost* host) { g_host = host; }
void setMessageBoxesOnScreen(bool on) { g_onScreen = on; }

void showMessageBox(const char* text) {
  fprintf(stderr, "Tesk: %s\n", text);
  fflush(stderr);
  if (g_host && g_onScreen && dialogsAllowedByEnvironment()) g_host->show("Tesk", text);
}

}  // namespace tk
