#pragma once
// The message box captioned "Tesk". The text always goes to standard error;
// a dialog is shown only where a window exists to host it (see MessageBoxHost).

namespace tk {

// Something that can show a modal box on screen; installed by the engine start-up
// when it has a window, removed at shutdown.
class MessageBoxHost {
 public:
  virtual ~MessageBoxHost() = default;
  virtual void show(const char* caption, const char* text) = 0;
};

void setMessageBoxHost(MessageBoxHost* host);
void showMessageBox(const char* text);
// Off: boxes go to standard error only, never on screen, for runs that nobody
// watches (a capture), which must not wait for a key. On by default.
void setMessageBoxesOnScreen(bool on);

}  // namespace tk
