#pragma once
// A null-driver engine with the named targets, for making advanced contexts
// from the engine's own effect files with single entries replaced.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/log.h"
#include "render/engine.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_manager.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/runtime_base_directory.h"

namespace tk::test {

class PostContextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disableMessageBoxes();
    SysSetup setup;
    setup.width = 320;
    setup.height = 180;
    ASSERT_EQ(tkSysSetup(setup), 0);
    manager = tkEngine().manager;
    ASSERT_TRUE(manager->getRendererManager()->createRenderTargets(12));
  }
  void TearDown() override { tkSysShutdown(); }

  // The engine's files, with entry `position` replaced by `file` when given.
  static std::vector<std::string> files(bool antialias, int position = -1, const std::string& file = "") {
    std::vector<std::string> list = ctxAdvFiles(antialias);
    if (position >= 0) list[position] = file;
    return list;
  }
  // A context made from `list` (null when it cannot be), what it logged in `logged`.
  CTkRendererCtxAdv* makeContext(const std::vector<std::string>& list, std::string* logged = nullptr) {
    CapturedStdout out;
    CTkRendererCtxAdv* context = manager->getRendererManager()->createRendererCtxAdv(
        manager->getRenderServices(), manager->getEffectManager(), list);
    if (logged) *logged = out.take();
    return context;
  }

  RuntimeBaseDirectory runtime;
  TempFolder folder;
  CTkManager* manager = nullptr;
};

}  // namespace tk::test
