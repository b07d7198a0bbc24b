#pragma once
// An engine on the null driver for command tests, with failures collected.

#include <gtest/gtest.h>

#include <string>

#include "base/log.h"
#include "render/engine.h"
#include "startup/sys_setup.h"

namespace tk::test {

class EngineCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disableMessageBoxes();
    setLogThreshold(LOG_NONE);
    SysSetup setup;
    setup.width = 1280;
    setup.height = 720;
    ASSERT_EQ(tkSysSetup(setup), 0);
    clearLastError();
  }
  void TearDown() override {
    tkSysShutdown();
    setLogThreshold(LOG_INFO);
  }

  // The recorded failure as "code: text", or "" when none; clears the slot.
  static std::string failure() {
    std::string text;
    int code;
    if (!takeLastError(&text, &code)) return "";
    clearLastError();
    return std::to_string(code) + ": " + text;
  }

  static std::string example(const char* relative) { return std::string(TESK_SOURCE_DIR) + "/examples/" + relative; }
};

}  // namespace tk::test
