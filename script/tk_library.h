#pragma once
// The interpreter state of a script run: the standard libraries and the
// engine library, the global table `tk` with one function per bound command.

#include <lua.hpp>

namespace tk {

constexpr int kCommandCount = 263;  // the fields the tk table is made for

// Registers the global table `tk`.
void openTkLibrary(lua_State* L);

// A new state with the standard libraries and `tk`; null when out of memory.
lua_State* newScriptState();
// Closes the state, and first forgets whatever the engine keeps of it.
void closeScriptState(lua_State* L);

}  // namespace tk
