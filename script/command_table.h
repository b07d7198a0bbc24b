#pragma once
// The command table of the tk library: one row per bound command, family by
// family. The Lua functions are generated from these rows (script/tk_library).

#include <cstddef>

#include "script/command_row.h"

namespace tk {

struct CommandTable {
  const CommandRow* rows;
  size_t count;
};

CommandTable commandTable();

// The row of a command name; null when the name is not bound.
const CommandRow* findCommand(const char* name);

}  // namespace tk
