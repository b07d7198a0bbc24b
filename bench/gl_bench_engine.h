#pragma once
// What the drawing benchmarks share: an engine on OpenGL with the light
// pre-pass targets and the source runtime folder, and a timer that waits for
// the GPU around its draws.
#include <epoxy/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>

#include "base/log.h"
#include "startup/sys_setup.h"

namespace tk::bench {

// Seconds per draw: `draws` draws between two waits for the GPU, the best of
// `rounds` rounds.
inline double secondsPerDraw(const std::function<void()>& draw, int draws, int rounds = 3) {
  using Clock = std::chrono::steady_clock;
  double best = 1e9;
  for (int round = 0; round < rounds; ++round) {
    glFinish();
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < draws; ++i) draw();
    glFinish();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count() / draws);
  }
  return best;
}

// The engine for one benchmark, quiet, started in a window of the given size
// (the process ends if it cannot start) and shut down at the end of scope.
struct GlEngine {
  GlEngine(int width, int height, int antialias) {
    setLogThreshold(LOG_NONE);
    disableMessageBoxes();
    SysSetup setup;
    setup.width = width;
    setup.height = height;
    setup.vsync = 0;
    setup.antialias = antialias;
    setup.lightPrePass = 1;
    setup.hasBaseDirectory = true;
    setup.baseDirectory = TESK_SOURCE_DIR "/runtime/";
    if (tkSysSetup(setup) != 0) std::abort();
  }
  ~GlEngine() { tkSysShutdown(); }
  GlEngine(const GlEngine&) = delete;
  GlEngine& operator=(const GlEngine&) = delete;
};

}  // namespace tk::bench
