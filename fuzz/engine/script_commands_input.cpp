// Bytes as a sequence of script command calls, made through the real Lua host
// (the tk table, its argument reader and its bindings) on the null driver.
//
// Decoding: the engine is set up first (64 x 48), then each call takes
//   two bytes the command, picked by number rather than by place in the table
//             (see CommandPicker), so that kept inputs keep their meaning,
//   one byte  how many arguments: the row's count plus (byte % 4) - 1,
//   one byte  per argument: with the high bit clear a value fitting the
//             argument's kind, with it set any value of the whole dictionary.
// The values are the hostile ones: wrong types, NaN, infinities, the ends of
// int and of each ID table (1000 items, 60 scenes, 50 musics), long strings,
// strings with '%' and NUL, nested and oversized tables, and functions that
// fail or change the engine while it calls them back. Small IDs come often,
// so that makes, clones, deletes and uses after delete meet on one item.
// Every call is protected: a script error is an answer, not a fault.
#include <lua.hpp>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "fuzz/engine/fuzz_inputs.h"
#include "script/command_table.h"
#include "script/tk_library.h"
#include "startup/sys_setup.h"

namespace tk::fuzz {
namespace {

constexpr int kMaxCalls = 48;
constexpr int kLongText = 5000;

// Lua expressions, evaluated once per state into the global value lists.
const char* const kNumbers[] = {
    "0", "1", "2", "3", "-1", "0.5", "-0.5", "19", "20", "49", "50", "59", "60", "99", "100", "101", "999", "1000",
    "1001", "64", "48", "255", "256", "16384", "16385", "2^31 - 1", "2^31", "-2^31", "-2^31 - 1", "2^32", "2^53",
    "2^63", "-2^63", "1e300", "-1e300", "math.huge", "-math.huge", "0/0", "-(0/0)", "1e-300", "-0.0", "3.5e38",
    "-5", "16", "24", "32", "320", "240",
};
const char* const kColours[] = {"0", "0x102030", "0xFFFFFF", "0xFFFFFFFF", "-1", "2^32", "2^40", "-2^31",
                                "0/0", "math.huge", "-math.huge"};
const char* const kTables[] = {
    "{}",
    "{1, 2, 3}",
    "{0.5, 1}",
    "{0/0, 1}",
    "{math.huge, -2^63}",
    "{{}, {{}}}",
    "{'x', 1}",
    "{1, nil, 3}",
    "(function() local t = {} for i = 1, 61 do t[i] = i end return t end)()",
    "(function() local t = {} for i = 1, 60 do t[i] = 1 end return t end)()",
    "setmetatable({}, {__index = function() error('index') end, __len = function() return 2^31 end})",
};
const char* const kFunctions[] = {
    "function() end",
    "function() error('callback fails') end",
    "function() error({}) end",
    "function() tk.Term() end",
    "function() tk.DeleteObject(100) tk.DeleteObject(101) tk.DeleteLight(100) end",
    "function() tk.LoadScene(RINGS, 1, 100, 100, 0, 0, 0, 0, 0, false, 'r') end",
    "function() collectgarbage() end",
    "function(p) return 1 end",
};

std::vector<std::string> textValues() {
  const std::string examples = std::string(TESK_SOURCE_DIR) + "/examples/";
  return {
      "''",
      "'a'",
      "'%s%s%s%n%d'",
      "'%'",
      "'a\\0b'",
      "'\\0'",
      "string.rep('A', " + std::to_string(kLongText) + ")",
      "string.rep('%s', 600)",
      "'nothing-here.obj'",
      "'..'",
      "'sub/../x'",
      "'WIDTH'",
      "'BaseColor'",
      "'VertexNormal'",
      "'g_fTime'",
      "OBJECT",
      "RINGS",
      "'" + examples + "scenes/badge/badge.tscn'",
      "'" + examples + "shaders/Dusk.hlsl'",
      "'" + std::string(TESK_SOURCE_DIR) + "/runtime/shadersPP/Tint.hlsl'",
      "'" + examples + "music/showcase.mp3'",
      "'" + examples + "objects/torus.mtl'",  // a file of the wrong kind for every loader
  };
}

// The prelude: value lists V (numbers), C (colours), S (texts), T (tables),
// F (functions), and A (all of them, with nil and the booleans).
std::string prelude() {
  const std::string examples = std::string(TESK_SOURCE_DIR) + "/examples/";
  std::string code = "OBJECT = '" + examples + "objects/torus.obj'\n";
  code += "RINGS = '" + examples + "scenes/rings/rings.tscn'\n";
  auto list = [&code](const char* name, const std::vector<std::string>& values) {
    code += std::string(name) + " = {";
    for (const std::string& v : values) code += "(" + v + "), ";
    code += "}\n";
  };
  list("V", {std::begin(kNumbers), std::end(kNumbers)});
  list("C", {std::begin(kColours), std::end(kColours)});
  list("S", textValues());
  list("T", {std::begin(kTables), std::end(kTables)});
  list("F", {std::begin(kFunctions), std::end(kFunctions)});
  // NaN entries are kept by position: lists are indexed, never searched.
  code += "A = {n = 0}\n"
          "local function add(v) A.n = A.n + 1 A[A.n] = v end\n"
          "add(nil) add(true) add(false)\n"
          "for _, l in ipairs({V, C, S, T, F}) do for i = 1, #l do add(l[i]) end end\n";
  return code;
}

// Commands are picked by a 16-bit number. Each command owns the numbers from
// the code before its own up to its code, a code derived from its name alone,
// so adding a command to the table takes numbers from one neighbour only: a
// kept input goes on calling the commands it called when it was found.
class CommandPicker {
 public:
  explicit CommandPicker(const CommandTable& table) {
    std::map<std::string, const CommandRow*> byName;
    for (size_t i = 0; i < table.count; ++i) byName[table.rows[i].name] = &table.rows[i];
    for (const auto& [name, row] : byName) {
      uint16_t code = nameCode(name);
      while (byCode_.count(code)) ++code;  // a shared code goes to the name after
      byCode_[code] = row;
    }
  }

  const CommandRow& pick(uint16_t number) const {
    auto owner = byCode_.lower_bound(number);
    return *(owner == byCode_.end() ? byCode_.begin() : owner)->second;
  }

 private:
  // FNV-1a, folded to 16 bits.
  static uint16_t nameCode(const std::string& name) {
    uint32_t hash = 2166136261u;
    for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
    return static_cast<uint16_t>(hash ^ (hash >> 16));
  }

  std::map<uint16_t, const CommandRow*> byCode_;
};

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
  // Two bytes, the first the high one.
  uint16_t nextPair() {
    const uint8_t high = next();
    return static_cast<uint16_t>(high << 8 | next());
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// Pushes entry `index` (counted from 0, modulo the length) of the global list.
void pushListEntry(lua_State* L, const char* list, int index) {
  lua_getglobal(L, list);
  lua_getfield(L, -1, "n");
  int length = lua_isnumber(L, -1) ? static_cast<int>(lua_tointeger(L, -1)) : static_cast<int>(lua_rawlen(L, -2));
  lua_pop(L, 1);
  lua_rawgeti(L, -1, length > 0 ? 1 + index % length : 1);
  lua_remove(L, -2);
}

// The list of values that fit an argument kind.
const char* listOfKind(char kind) {
  switch (kind) {
    case 'i':
    case 'n': return "V";
    case 'u': return "C";
    case 's': return "S";
    case 't': return "T";
    case 'f': return "F";
    default: return "A";
  }
}

std::vector<char> argumentKinds(const CommandRow& row) {
  std::vector<char> kinds;
  for (const char* k = row.arguments; *k; ++k) {
    if (*k == ' ') continue;
    kinds.push_back(*k == '.' ? 'a' : *k);
    while (k[1] && k[1] != ' ') ++k;
  }
  return kinds;
}

void pushArgument(lua_State* L, char kind, uint8_t choice) {
  if (choice & 0x80) return pushListEntry(L, "A", choice & 0x7F);
  if (kind == 'b') return lua_pushboolean(L, choice & 1);
  pushListEntry(L, listOfKind(kind), choice);
}

// A long wait is what Sleep asks for; the sequence must go on.
void pushSleepArgument(lua_State* L, uint8_t choice) {
  static const double waits[] = {0, 1, -1, -2147483648.0, -std::numeric_limits<double>::infinity()};
  if (choice & 0x80) {
    lua_pushstring(L, "zzz");
    return;
  }
  lua_pushnumber(L, waits[choice % (sizeof waits / sizeof waits[0])]);
}

// TESK_FUZZ_TRACE=1 writes each call and its answer to standard error, to
// read what a kept input does.
bool tracing() {
  static const bool on = getenv("TESK_FUZZ_TRACE") != nullptr;
  return on;
}

// Bytes as a Lua string literal would show them: NUL and the like escaped.
std::string printable(const char* text, size_t length) {
  std::string shown;
  for (size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      shown += static_cast<char>(c);
    } else {
      char escaped[8];
      snprintf(escaped, sizeof escaped, "\\%u", c);
      shown += escaped;
    }
  }
  return shown;
}

// The call on the stack: the function, then `count` arguments.
void traceCall(lua_State* L, const char* name, int count) {
  std::string line = std::string("tk.") + name + "(";
  const int first = lua_gettop(L) - count + 1;
  for (int i = 0; i < count; ++i) {
    size_t length = 0;
    const char* text = luaL_tolstring(L, first + i, &length);
    int type = lua_type(L, first + i);
    std::string value = printable(text, length < 40 ? length : 40);
    line += (i ? ", " : "") + (type == LUA_TSTRING ? "'" + value + "'" : value);
    lua_pop(L, 1);
  }
  fprintf(stderr, "%s)\n", line.c_str());
}

void callOne(lua_State* L, const CommandRow& row, ByteReader& bytes) {
  std::vector<char> kinds = argumentKinds(row);
  int count = static_cast<int>(kinds.size()) + bytes.next() % 4 - 1;
  if (count < 0) count = 0;
  const bool sleep = std::string(row.name) == "Sleep";
  lua_getglobal(L, "tk");
  lua_getfield(L, -1, row.name);
  lua_remove(L, -2);
  for (int i = 0; i < count; ++i) {
    char kind = i < static_cast<int>(kinds.size()) ? kinds[i] : (kinds.empty() ? 'a' : kinds.back());
    uint8_t choice = bytes.next();
    if (sleep) pushSleepArgument(L, choice);
    else pushArgument(L, kind, choice);
  }
  if (tracing()) traceCall(L, row.name, count);
  int status = lua_pcall(L, count, LUA_MULTRET, 0);
  if (tracing()) fprintf(stderr, "  -> %s\n", status == LUA_OK ? "ok" : luaL_tolstring(L, -1, nullptr));
  lua_settop(L, 0);
}

}  // namespace

int scriptCommands(const uint8_t* data, size_t size) {
  prepareProcess();
  lua_State* L = newScriptState();
  if (!L) return 0;
  std::string code = prelude();
  if (luaL_dostring(L, code.c_str()) != LUA_OK) abort();  // the dictionary itself must load
  lua_settop(L, 0);
  // Relative names are found from the example scene's folder, so that its
  // meshes load. Nothing is written by such a name on the null driver (its
  // screenshots fail), so the source tree stays as it is.
  if (luaL_dostring(L, "tk.Setup(64, 48) tk.SetDir(RINGS:match('.*/'))") != LUA_OK) abort();
  const CommandPicker commands(commandTable());
  ByteReader bytes(data, size);
  for (int call = 0; call < kMaxCalls && !bytes.empty(); ++call)
    callOne(L, commands.pick(bytes.nextPair()), bytes);
  closeScriptState(L);
  tkSysShutdown();
  return 0;
}

}  // namespace tk::fuzz
