#pragma once
// The values that pass between a script and a command operation: what the
// binding reads from the interpreter's stack and what it pushes back. All of
// them are plain records without destructors, because the frames that hold
// them raise script errors (which unwind by longjmp).

#include <lua.hpp>

#include <cstddef>
#include <type_traits>

namespace tk {

constexpr int kMaxCommandArguments = 12;
constexpr int kMaxArrayArguments = 2;
constexpr int kArrayArgumentCapacity = 60;

// An optional trailing argument; not given when the script left it out or passed nil.
template <typename T>
struct Opt {
  bool given;
  T value;
  T valueOr(T fallback) const { return given ? value : fallback; }
};

// An array argument (kind t): a table of at most kArrayArgumentCapacity
// numbers, none of them NaN; the operation converts them by the rule of
// argument_numbers.h.
struct NumberList {
  int count;
  lua_Number values[kArrayArgumentCapacity];
};

// A function argument (kind f); it stays at its stack index during the call.
struct ScriptFunction {
  lua_State* state;
  int index;
};

// The values of a "..." argument, each converted by tostring and joined by
// single spaces. The text lives on the interpreter's stack during the call.
struct JoinedText {
  const char* text;
  size_t length;
};

// The numbers of an "n..." argument: every value from its position on, each a
// number, converted like a float argument. `count` is how many were given; the
// first kNumberArgumentCapacity are kept.
constexpr int kNumberArgumentCapacity = 16;
struct NumberArgs {
  int count;
  float values[kNumberArgumentCapacity];
};

// One argument as its kind converts it (argument_numbers.h for the numbers).
struct ScriptArgument {
  bool given;
  int stackIndex;
  int integer;
  float number;
  unsigned unsignedValue;
  bool boolean;
  const char* text;
  size_t length;
  int list;  // index into CommandArgs::lists
};

struct CommandArgs {
  lua_State* state;
  ScriptArgument values[kMaxCommandArguments];
  NumberList lists[kMaxArrayArguments];
  NumberArgs numbers;  // the "n..." argument, which takes the rest
};

struct ScriptResult {
  bool nil;
  lua_Integer integer;
  lua_Number number;
  bool boolean;
  const char* text;
  size_t length;
};

struct CommandResults {
  ScriptResult values[2];
};

static_assert(std::is_trivially_destructible_v<CommandArgs>);
static_assert(std::is_trivially_destructible_v<CommandResults>);

}  // namespace tk
