#include "script/tk_library.h"

#include "script/command_dispatch.h"
#include "script/command_table.h"
#include "script/load_scene_callback.h"

namespace tk {

void openTkLibrary(lua_State* L) {
  lua_createtable(L, 0, kCommandCount);
  CommandTable table = commandTable();
  for (size_t i = 0; i < table.count; ++i) {
    pushCommand(L, &table.rows[i]);
    lua_setfield(L, -2, table.rows[i].name);
  }
  lua_setglobal(L, "tk");
  initLoadSceneCallback(L);
}

lua_State* newScriptState() {
  lua_State* L = luaL_newstate();
  if (!L) return nullptr;
  luaL_openlibs(L);
  openTkLibrary(L);
  return L;
}

void closeScriptState(lua_State* L) {
  if (!L) return;
  forgetLoadSceneCallback(L);
  lua_close(L);
}

}  // namespace tk
