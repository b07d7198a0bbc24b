#pragma once
// An interpreter state with the tk library on the null driver: Lua snippets
// run in it, and a failing snippet answers its error text.

#include <gtest/gtest.h>

#include <string>

#include "base/log.h"
#include "render/engine.h"
#include "script/tk_library.h"
#include "startup/sys_setup.h"

namespace tk::test {

class ScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setLogThreshold(LOG_NONE);
    disableMessageBoxes();
    clearLastError();
    L = newScriptState();
    ASSERT_NE(L, nullptr);
  }
  void TearDown() override {
    closeScriptState(L);
    tkSysShutdown();
    setLogThreshold(LOG_INFO);
  }

  // Runs the snippet (chunk name "snippet"); "" when it ran to its end, else
  // the error text. Errors raised by a command called from the snippet carry
  // the interpreter's position prefix "snippet:LINE: ".
  std::string run(const std::string& code) {
    if (luaL_loadbuffer(L, code.data(), code.size(), "=snippet") != LUA_OK || lua_pcall(L, 0, 0, 0) != LUA_OK) {
      std::string text = lua_tostring(L, -1) ? lua_tostring(L, -1) : "(no text)";
      lua_pop(L, 1);
      return text;
    }
    return "";
  }

  // The values an expression yields, through tostring and joined by spaces;
  // the error text when it fails.
  std::string eval(const std::string& expression) {
    std::string text = run("result = table.concat((function(...) local t = {} "
                           "for i = 1, select('#', ...) do t[i] = tostring((select(i, ...))) end "
                           "return t end)(" + expression + "), ' ')");
    if (!text.empty()) return "error: " + text;
    lua_getglobal(L, "result");
    std::string value = lua_tostring(L, -1);
    lua_pop(L, 1);
    return value;
  }

  static std::string example(const std::string& relative) {
    return std::string(TESK_SOURCE_DIR) + "/examples/" + relative;
  }

  lua_State* L = nullptr;
};

}  // namespace tk::test
