#pragma once
// An engine started on the null driver for the length of a benchmark, quiet
// (no log, no message boxes), with `folder` as the current folder when given.

#include <cstdlib>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "startup/sys_setup.h"

struct NullEngine {
  explicit NullEngine(const char* folder = nullptr) {
    setenv("TESK_DRIVER", "null", 1);
    tk::setLogThreshold(tk::LOG_NONE);
    tk::disableMessageBoxes();
    if (tk::tkSysSetup(tk::SysSetup()) != 0) std::abort();
    if (folder) tk::fileLayer().setDirectory(folder);
  }
  ~NullEngine() { tk::tkSysShutdown(); }
  NullEngine(const NullEngine&) = delete;
  NullEngine& operator=(const NullEngine&) = delete;
};
