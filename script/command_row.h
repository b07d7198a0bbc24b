#pragma once
// One row of the command table: a script command's name, argument kinds,
// optional count, results and the operation it calls. The operation is a plain
// C++ function; `invoke` adapts it to the binding's values, and `makeRow`
// checks at compile time that the row's kinds match the function's parameter
// and result types, so a row cannot silently drift from its operation.

#include <optional>
#include <string>
#include <utility>

#include "api/camera_commands.h"
#include "script/command_values.h"

namespace tk {

using CommandOperation = void (*)(const CommandArgs& args, CommandResults& results);

struct CommandRow {
  const char* name;
  const char* arguments;  // kind tokens separated by spaces: i n u s b t f ...
  int optional;           // how many trailing arguments may be left out
  const char* results;    // result kind tokens separated by spaces; "" for none
  CommandOperation operation;
  bool needsEngine;  // refused until Setup has run
};

namespace command_binding {

template <typename T>
using Plain = std::remove_cv_t<std::remove_reference_t<T>>;

// The kind token of each parameter type an operation may take.
template <typename T>
struct Kind;
#define TK_ARGUMENT_KIND(Type, letters)             \
  template <>                                       \
  struct Kind<Type> {                               \
    static constexpr const char* token = letters;   \
    static constexpr bool optional = false;         \
  }
TK_ARGUMENT_KIND(int, "i");
TK_ARGUMENT_KIND(float, "n");
TK_ARGUMENT_KIND(unsigned, "u");
TK_ARGUMENT_KIND(const char*, "s");
TK_ARGUMENT_KIND(bool, "b");
TK_ARGUMENT_KIND(NumberList, "t");
TK_ARGUMENT_KIND(ScriptFunction, "f");
TK_ARGUMENT_KIND(JoinedText, "...");
TK_ARGUMENT_KIND(NumberArgs, "n...");
#undef TK_ARGUMENT_KIND
template <typename T>
struct Kind<Opt<T>> {
  static constexpr const char* token = Kind<T>::token;
  static constexpr bool optional = true;
};

// The result tokens of each return type an operation may have.
template <typename R>
struct ResultKind;
#define TK_RESULT_KIND(Type, letters)               \
  template <>                                       \
  struct ResultKind<Type> {                         \
    static constexpr const char* tokens = letters;  \
  }
TK_RESULT_KIND(void, "");
TK_RESULT_KIND(bool, "b");
TK_RESULT_KIND(int, "i");
TK_RESULT_KIND(float, "n");
TK_RESULT_KIND(std::string, "s");
TK_RESULT_KIND(std::optional<std::string>, "s");
TK_RESULT_KIND(ScreenPoint, "i i");
#undef TK_RESULT_KIND

template <typename F>
struct Signature;
template <typename R, typename... P>
struct Signature<R (*)(P...)> {
  using Result = R;
  static constexpr int count = sizeof...(P);
  static constexpr const char* tokens[sizeof...(P) + 1] = {Kind<Plain<P>>::token..., nullptr};
  static constexpr bool optional[sizeof...(P) + 1] = {Kind<Plain<P>>::optional..., false};
};

// Reading one argument as the parameter type wants it; the reader has
// already converted numbers by the rule of argument_numbers.h.
template <typename T>
struct Convert;
template <>
struct Convert<int> {
  static int get(const CommandArgs&, const ScriptArgument& v) { return v.integer; }
};
template <>
struct Convert<float> {
  static float get(const CommandArgs&, const ScriptArgument& v) { return v.number; }
};
template <>
struct Convert<unsigned> {
  static unsigned get(const CommandArgs&, const ScriptArgument& v) { return v.unsignedValue; }
};
template <>
struct Convert<const char*> {
  static const char* get(const CommandArgs&, const ScriptArgument& v) { return v.text; }
};
template <>
struct Convert<bool> {
  static bool get(const CommandArgs&, const ScriptArgument& v) { return v.boolean; }
};
template <>
struct Convert<NumberList> {
  static const NumberList& get(const CommandArgs& a, const ScriptArgument& v) { return a.lists[v.list]; }
};
template <>
struct Convert<ScriptFunction> {
  static ScriptFunction get(const CommandArgs& a, const ScriptArgument& v) { return {a.state, v.stackIndex}; }
};
template <>
struct Convert<NumberArgs> {
  static const NumberArgs& get(const CommandArgs& a, const ScriptArgument&) { return a.numbers; }
};
template <>
struct Convert<JoinedText> {
  static JoinedText get(const CommandArgs&, const ScriptArgument& v) { return {v.text, v.length}; }
};
template <typename T>
struct Convert<Opt<T>> {
  static Opt<T> get(const CommandArgs& a, const ScriptArgument& v) {
    return v.given ? Opt<T>{true, Convert<T>::get(a, v)} : Opt<T>{false, T{}};
  }
};

// Storing an operation's result for the binding to push.
inline void store(CommandResults& r, bool value) { r.values[0].boolean = value; }
inline void store(CommandResults& r, int value) { r.values[0].integer = value; }
inline void store(CommandResults& r, float value) { r.values[0].number = value; }
inline void store(CommandResults& r, ScreenPoint point) {
  r.values[0].integer = point.x;
  r.values[1].integer = point.y;
}
// Texts are kept by the binding until they have been pushed.
void store(CommandResults& r, const std::string& text);
void store(CommandResults& r, const std::optional<std::string>& text);

template <auto Fn, typename R, typename... P, size_t... I>
void call(const CommandArgs& a, CommandResults& r, R (*)(P...), std::index_sequence<I...>) {
  if constexpr (std::is_void_v<R>)
    Fn(Convert<Plain<P>>::get(a, a.values[I])...);
  else
    store(r, Fn(Convert<Plain<P>>::get(a, a.values[I])...));
}

template <auto Fn>
void invoke(const CommandArgs& args, CommandResults& results) {
  call<Fn>(args, results, Fn, std::make_index_sequence<Signature<decltype(Fn)>::count>{});
}

constexpr bool sameText(const char* a, const char* b) {
  while (*a && *a == *b) ++a, ++b;
  return *a == *b;
}

// Advances past the next space-separated token when it equals `token`.
constexpr bool takeToken(const char*& cursor, const char* token) {
  while (*cursor == ' ') ++cursor;
  const char* p = cursor;
  while (*token && *p == *token) ++p, ++token;
  if (*token || (*p && *p != ' ')) return false;
  cursor = p;
  return true;
}

template <auto Fn>
constexpr bool rowMatchesOperation(const char* arguments, int optional, const char* results) {
  using S = Signature<decltype(Fn)>;
  if (S::count > kMaxCommandArguments) return false;
  int arrays = 0;
  const char* cursor = arguments;
  for (int i = 0; i < S::count; ++i) {
    if (!takeToken(cursor, S::tokens[i])) return false;
    if (sameText(S::tokens[i], "t") && ++arrays > kMaxArrayArguments) return false;
    if ((sameText(S::tokens[i], "...") || sameText(S::tokens[i], "n...")) && i != S::count - 1)
      return false;  // it takes the rest
    if (S::optional[i] != (i >= S::count - optional)) return false;
  }
  while (*cursor == ' ') ++cursor;
  if (*cursor) return false;
  using R = typename S::Result;
  // A command without results may call an operation that answers 0 or -1.
  return sameText(results, ResultKind<R>::tokens) || (results[0] == 0 && std::is_same_v<R, int>);
}

template <auto Fn>
constexpr CommandRow makeRow(const char* name, const char* arguments, int optional, const char* results,
                             bool needsEngine) {
  if (!rowMatchesOperation<Fn>(arguments, optional, results)) throw "command row does not match its operation";
  return CommandRow{name, arguments, optional, results, &invoke<Fn>, needsEngine};
}

}  // namespace command_binding

// A command that needs the engine set up, and one that works without it.
#define TK_COMMAND(name, arguments, optional, results, operation) \
  ::tk::command_binding::makeRow<&operation>(name, arguments, optional, results, true)
#define TK_COMMAND_WITHOUT_SETUP(name, arguments, optional, results, operation) \
  ::tk::command_binding::makeRow<&operation>(name, arguments, optional, results, false)

}  // namespace tk
