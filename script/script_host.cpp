#include "script/script_host.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/files/file_layer.h"
#include "base/files/regular_file.h"
#include "base/log.h"
#include "script/tk_library.h"
#include "startup/sys_setup.h"

namespace tk {
namespace {

// Makes the file's directory the current directory and returns the name to
// open from there; the name as given when the directory cannot be entered.
std::string enterScriptDirectory(const std::string& file) {
  size_t slash = file.find_last_of('/');
  if (slash == std::string::npos) return file;
  std::string directory = slash == 0 ? "/" : file.substr(0, slash);
  if (chdir(directory.c_str()) != 0) return file;
  return file.substr(slash + 1);
}

int loadChunk(lua_State* L, const std::string& name, bool packed) {
  if (!packed) {
    // The interpreter opens the file itself; it gets only a regular file, and
    // anything else the interpreter's own "cannot open" answer.
    FILE* file = openRegularFile(name.c_str());
    if (!file) {
      lua_pushfstring(L, "cannot open %s: %s", name.c_str(), strerror(errno));
      return LUA_ERRFILE;
    }
    fclose(file);
    return luaL_loadfile(L, name.c_str());
  }
  std::string contents;
  if (!readWholeFile(name.c_str(), &contents)) return -1;
  return luaL_loadbuffer(L, contents.data(), contents.size(), "mem");
}

// The error value on top of the stack, to standard error, then popped.
void reportError(lua_State* L) {
  int type = lua_type(L, -1);
  if (type == LUA_TSTRING || type == LUA_TNUMBER)
    fprintf(stderr, "%s\n", lua_tostring(L, -1));
  else
    fprintf(stderr, "(error object is a %s value)\n", luaL_typename(L, -1));
  fflush(stderr);
  lua_pop(L, 1);
}

}  // namespace

int runScript(const std::string& file, bool packed) {
  std::string name = enterScriptDirectory(file);
  setLogThreshold(LOG_NONE);
  disableMessageBoxes();
  clearLastError();
  lua_State* L = newScriptState();
  if (!L) {
    fprintf(stderr, "cannot create the script interpreter\n");
    tkSysShutdown();
    return LUA_ERRMEM;
  }
  int status = loadChunk(L, name, packed);
  if (status == -1) {
    fprintf(stderr, "cannot load %s\n", name.c_str());
    closeScriptState(L);
    tkSysShutdown();
    return -1;
  }
  if (status == LUA_OK) status = lua_pcall(L, 0, LUA_MULTRET, 0);
  if (status != LUA_OK) reportError(L);
  closeScriptState(L);
  tkSysShutdown();
  return status;
}

}  // namespace tk
