#pragma once
// The one Lua function behind every command. Its row (an upvalue) says what it
// reads, calls and pushes; the order of the checks is the same for every
// command: the Setup check, the arguments, the operation, the results, and the
// failure the operation recorded in the last-error slot.

#include "script/command_row.h"

namespace tk {

// Pushes the command as a closure over its row.
void pushCommand(lua_State* L, const CommandRow* row);

// The interpreter state whose command is running (none outside commands).
lua_State* callingState();

// Binding operations refuse an argument, or the whole call, here; the script
// error is raised once the operation has returned. Messages are cut at 1023
// characters.
void rejectArgument(int argument, const char* format, ...) __attribute__((format(printf, 2, 3)));
void rejectCall(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tk
