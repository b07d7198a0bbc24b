#include <cstdlib>

#include "base/log.h"
#include "base/message_box.h"
#include "fuzz/engine/fuzz_inputs.h"

namespace tk::fuzz {

void prepareProcess() {
  setenv("TESK_DRIVER", "null", 1);
  unsetenv("DISPLAY");
  setenv("TESK_MESSAGE_BOXES", "0", 1);
  disableMessageBoxes();
  setLogThreshold(LOG_NONE);
}

}  // namespace tk::fuzz
