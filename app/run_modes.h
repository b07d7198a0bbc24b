#pragma once
// The loops a run mode hands control to. Each subsystem that provides a loop
// registers it here; the entry dispatches by mode.

#include <functional>
#include <string>

#include "base/command_line.h"

namespace tk {

struct RunModeHandlers {
  std::function<int(const std::string& file, bool packed)> scriptHost;
};

RunModeHandlers& runModeHandlers();

}  // namespace tk
