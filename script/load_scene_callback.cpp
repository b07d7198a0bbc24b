#include "script/load_scene_callback.h"

#include <string>

#include "base/log.h"
#include "scene/scene_slots.h"

namespace tk {
namespace {

// Registry keys: their addresses are unique.
const char kCallbackKey = 0;
const char kPendingErrorKey = 0;

lua_State* g_owner = nullptr;    // main thread of the interpreter whose function is installed
lua_State* g_loading = nullptr;  // the state whose command is loading a scene
int g_loadDepth = 0;
bool g_errorPending = false;

lua_State* mainThreadOf(lua_State* L) {
  lua_rawgeti(L, LUA_REGISTRYINDEX, LUA_RIDX_MAINTHREAD);
  lua_State* main = lua_tothread(L, -1);
  lua_pop(L, 1);
  return main;
}

// Runs protected: calls the stored function with the percentage and keeps
// what it raises, so that even storing the error cannot raise past here.
int callStoredFunction(lua_State* L) {
  lua_Integer percent = lua_tointeger(L, 1);
  lua_rawgetp(L, LUA_REGISTRYINDEX, &kCallbackKey);
  lua_pushinteger(L, percent);
  if (lua_pcall(L, 1, 0, 0) != LUA_OK) {
    g_errorPending = true;
    lua_rawsetp(L, LUA_REGISTRYINDEX, &kPendingErrorKey);
  }
  return 0;
}

// Commands the script calls from its function clear and set the last-error
// slot; what the loader recorded before must survive them.
class LastErrorKeeper {
 public:
  LastErrorKeeper() {
    had_ = takeLastError(&text_, &code_);
    clearLastError();
  }
  ~LastErrorKeeper() {
    clearLastError();
    if (had_) logErrorCode(code_, "%s", text_.c_str());
  }

 private:
  bool had_;
  std::string text_;
  int code_ = -1;
};

// The scene loader's progress function: never cancels. After the first error
// the script function is not called again during this load.
int reportProgress(int percent, void*) {
  lua_State* L = g_loading;
  if (!L || g_errorPending) return 0;
  LastErrorKeeper keeper;
  lua_pushcfunction(L, callStoredFunction);
  lua_pushinteger(L, percent);
  if (lua_pcall(L, 1, 0, 0) != LUA_OK) {
    // Only running out of memory gets here; the kept value stands for it.
    lua_pop(L, 1);
    g_errorPending = true;
  }
  return 0;
}

}  // namespace

void initLoadSceneCallback(lua_State* L) {
  lua_pushboolean(L, 0);
  lua_rawsetp(L, LUA_REGISTRYINDEX, &kPendingErrorKey);
}

void SetLoadSceneCallback(ScriptFunction function) {
  lua_pushvalue(function.state, function.index);
  lua_rawsetp(function.state, LUA_REGISTRYINDEX, &kCallbackKey);
  g_owner = mainThreadOf(function.state);
  setSceneLoadProgress(reportProgress, nullptr);
}

void forgetLoadSceneCallback(lua_State* L) {
  if (g_owner != mainThreadOf(L)) return;
  setSceneLoadProgress(nullptr, nullptr);
  g_owner = nullptr;
  g_loading = nullptr;
  g_loadDepth = 0;
  g_errorPending = false;
}

void beginSceneLoad(lua_State* L) {
  ++g_loadDepth;
  // Only the interpreter that stored the function can call it.
  g_loading = g_owner && mainThreadOf(L) == g_owner ? L : nullptr;
}

void endSceneLoad() {
  if (--g_loadDepth == 0) g_loading = nullptr;
}

bool sceneLoadInProgress() { return g_loadDepth > 0; }

bool pushPendingCallbackError(lua_State* L) {
  if (!g_errorPending || g_loadDepth > 0) return false;
  g_errorPending = false;
  lua_rawgetp(L, LUA_REGISTRYINDEX, &kPendingErrorKey);
  lua_pushboolean(L, 0);
  lua_rawsetp(L, LUA_REGISTRYINDEX, &kPendingErrorKey);
  return true;
}

}  // namespace tk
