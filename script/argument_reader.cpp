#include "script/argument_reader.h"

#include <cmath>
#include <cstring>

#include "script/argument_numbers.h"

namespace tk {
namespace {

// A number argument; NaN is refused like a value of the wrong type, since no
// command has a meaning for it (see argument_numbers.h for the other values).
lua_Number checkNumber(lua_State* L, int index) {
  lua_Number value = luaL_checknumber(L, index);
  if (std::isnan(value)) luaL_argerror(L, index, "number expected, got nan");
  return value;
}

// Booleans are strict: true and false only, not every value's truth.
bool checkBoolean(lua_State* L, int index) {
  if (!lua_isboolean(L, index))
    luaL_argerror(L, index, lua_pushfstring(L, "%s expected, got %s", "boolean", luaL_typename(L, index)));
  return lua_toboolean(L, index) != 0;
}

void readNumberList(lua_State* L, int index, NumberList* list) {
  luaL_checktype(L, index, LUA_TTABLE);
  size_t length = lua_rawlen(L, index);
  if (length > static_cast<size_t>(kArrayArgumentCapacity))
    luaL_error(L, "Exceed buffer capacity %d>%d", static_cast<int>(length), kArrayArgumentCapacity);
  list->count = static_cast<int>(length);
  for (int entry = 1; entry <= list->count; ++entry) {
    lua_rawgeti(L, index, entry);
    if (lua_type(L, -1) != LUA_TNUMBER)
      luaL_error(L, "invalid entry #%d in array argument #%d (expected number, got %s)", entry, index,
                 luaL_typename(L, -1));
    lua_Number value = lua_tonumber(L, -1);
    if (std::isnan(value))
      luaL_error(L, "invalid entry #%d in array argument #%d (expected number, got nan)", entry, index);
    list->values[entry - 1] = value;
    lua_pop(L, 1);
  }
}

// The values from `first` to the top, each through the global tostring,
// joined by single spaces; the text is left on the stack.
void joinValues(lua_State* L, int first, ScriptArgument* argument) {
  int last = lua_gettop(L);
  lua_pushliteral(L, "");
  for (int index = first; index <= last; ++index) {
    if (index > first) lua_pushliteral(L, " ");
    lua_getglobal(L, "tostring");
    lua_pushvalue(L, index);
    lua_call(L, 1, 1);
    if (!lua_tostring(L, -1)) luaL_error(L, "'tostring' must return a string to 'Text'");
    lua_concat(L, index > first ? 3 : 2);
  }
  argument->text = lua_tolstring(L, -1, &argument->length);
}

// The numbers from `first` to the top; at least one must be given.
void readNumbers(lua_State* L, int first, NumberArgs* numbers) {
  int last = lua_gettop(L) < first ? first : lua_gettop(L);
  numbers->count = last - first + 1;
  for (int index = first; index <= last; ++index) {
    lua_Number value = checkNumber(L, index);
    if (index - first < kNumberArgumentCapacity) numbers->values[index - first] = argumentFloat(value);
  }
}

constexpr int kTokenMax = 4;

// The next space-separated token of a row's kinds; false at the end.
bool nextToken(const char*& cursor, char token[kTokenMax + 1]) {
  while (*cursor == ' ') ++cursor;
  if (!*cursor) return false;
  int n = 0;
  while (*cursor && *cursor != ' ') {
    if (n < kTokenMax) token[n++] = *cursor;
    ++cursor;
  }
  token[n] = 0;
  return true;
}

void readOne(lua_State* L, const char* kind, int index, CommandArgs* args, ScriptArgument* argument, int* lists) {
  switch (kind[0]) {
    case 'i': argument->integer = argumentInteger(checkNumber(L, index)); break;
    case 'n':
      if (kind[1] == '.') readNumbers(L, index, &args->numbers);
      else argument->number = argumentFloat(checkNumber(L, index));
      break;
    case 'u': argument->unsignedValue = argumentUnsigned(checkNumber(L, index)); break;
    case 's': argument->text = luaL_checklstring(L, index, &argument->length); break;
    case 'b': argument->boolean = checkBoolean(L, index); break;
    case 't':
      argument->list = (*lists)++;
      readNumberList(L, index, &args->lists[argument->list]);
      break;
    case 'f': luaL_checktype(L, index, LUA_TFUNCTION); break;
    case '.': joinValues(L, index, argument); break;
    default: luaL_error(L, "command table: unknown argument kind '%s'", kind);
  }
}

}  // namespace

void readCommandArguments(lua_State* L, const CommandRow& row, CommandArgs* args) {
  memset(args, 0, sizeof *args);
  args->state = L;
  int total = 0;
  char kind[kTokenMax + 1];
  for (const char* cursor = row.arguments; nextToken(cursor, kind);) ++total;
  int lists = 0;
  int index = 0;
  for (const char* cursor = row.arguments; nextToken(cursor, kind); ++index) {
    ScriptArgument* argument = &args->values[index];
    int stackIndex = index + 1;
    argument->stackIndex = stackIndex;
    bool optional = index >= total - row.optional;
    if (optional && lua_isnoneornil(L, stackIndex)) continue;
    argument->given = true;
    readOne(L, kind, stackIndex, args, argument, &lists);
  }
}

}  // namespace tk
