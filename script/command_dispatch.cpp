#include "script/command_dispatch.h"

#include <cstdarg>
#include <cstdio>

#include "base/log.h"
#include "render/engine.h"
#include "script/argument_reader.h"
#include "script/load_scene_callback.h"

// Every function in this file that raises a script error holds plain records
// only: a raise unwinds by longjmp and would skip C++ destructors.

namespace tk {
namespace {

struct Rejection {
  bool pending;
  bool atArgument;
  int argument;
  char message[kLogTextMax + 1];
};

Rejection g_rejection;

// Text results wait here until they have been pushed.
std::string& textStore() {
  static std::string text;
  return text;
}
lua_State* g_callingState = nullptr;

void recordRejection(bool atArgument, int argument, const char* format, va_list args) {
  g_rejection.pending = true;
  g_rejection.atArgument = atArgument;
  g_rejection.argument = argument;
  vsnprintf(g_rejection.message, sizeof g_rejection.message, format, args);
}

// The recorded failure copied out of the last-error slot, which is cleared.
bool takeRecordedFailure(char* text, size_t size, int* code) {
  std::string message;
  if (!takeLastError(&message, code)) return false;
  clearLastError();
  snprintf(text, size, "%s", message.c_str());
  return true;
}

int raiseWithoutSetup(lua_State* L) {
  lua_Debug ar;
  const char* name = nullptr;
  if (lua_getstack(L, 0, &ar) && lua_getinfo(L, "n", &ar)) name = ar.name;
  return luaL_error(L, "calling '%s' without Setup first", name ? name : "?");
}

int raiseRejection(lua_State* L) {
  Rejection rejection = g_rejection;
  g_rejection.pending = false;
  if (rejection.atArgument) return luaL_argerror(L, rejection.argument, rejection.message);
  return luaL_error(L, "%s", rejection.message);
}

// A recorded failure becomes the interpreter's bad-argument error, with the
// failure's code in place of the argument number.
int raiseRecordedFailure(lua_State* L, int pushed) {
  char text[kLogTextMax + 1];
  int code = -1;
  if (!takeRecordedFailure(text, sizeof text, &code)) return pushed;
  return luaL_argerror(L, code, text);
}

void pushResult(lua_State* L, char kind, const ScriptResult& value) {
  if (value.nil) {
    lua_pushnil(L);
    return;
  }
  switch (kind) {
    case 'b': lua_pushboolean(L, value.boolean); break;
    case 'i': lua_pushinteger(L, value.integer); break;
    case 'n': lua_pushnumber(L, value.number); break;
    case 's': lua_pushlstring(L, value.text, value.length); break;
    default: luaL_error(L, "command table: unknown result kind '%c'", kind);
  }
}

int pushResults(lua_State* L, const char* kinds, const CommandResults& results) {
  int pushed = 0;
  for (const char* k = kinds; *k; ++k)
    if (*k != ' ') pushResult(L, *k, results.values[pushed++]);
  return pushed;
}

int dispatchCommand(lua_State* L) {
  const CommandRow* row = static_cast<const CommandRow*>(lua_touserdata(L, lua_upvalueindex(1)));
  if (row->needsEngine && !tkEngineSetUp()) return raiseWithoutSetup(L);
  CommandArgs args;
  readCommandArguments(L, *row, &args);
  CommandResults results = {};
  clearLastError();
  lua_State* outer = g_callingState;
  g_callingState = L;
  row->operation(args, results);
  g_callingState = outer;
  if (g_rejection.pending) {
    clearLastError();
    return raiseRejection(L);
  }
  if (pushPendingCallbackError(L)) {
    clearLastError();
    return lua_error(L);
  }
  return raiseRecordedFailure(L, pushResults(L, row->results, results));
}

}  // namespace

namespace command_binding {

void store(CommandResults& r, const std::string& text) {
  textStore() = text;
  r.values[0].text = textStore().c_str();
  r.values[0].length = textStore().size();
}

void store(CommandResults& r, const std::optional<std::string>& text) {
  if (text) store(r, *text);
  else r.values[0].nil = true;
}

}  // namespace command_binding

void pushCommand(lua_State* L, const CommandRow* row) {
  lua_pushlightuserdata(L, const_cast<CommandRow*>(row));
  lua_pushcclosure(L, dispatchCommand, 1);
}

lua_State* callingState() { return g_callingState; }

void rejectArgument(int argument, const char* format, ...) {
  va_list args;
  va_start(args, format);
  recordRejection(true, argument, format, args);
  va_end(args);
}

void rejectCall(const char* format, ...) {
  va_list args;
  va_start(args, format);
  recordRejection(false, 0, format, args);
  va_end(args);
}

}  // namespace tk
