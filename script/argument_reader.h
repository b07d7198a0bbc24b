#pragma once
// Reading a command's arguments from the interpreter's stack as its row
// declares them. Every check raises the interpreter's own argument errors, so
// this runs only in frames that hold plain records.

#include "script/command_row.h"

namespace tk {

void readCommandArguments(lua_State* L, const CommandRow& row, CommandArgs* args);

}  // namespace tk
