// The glow pyramid against one blur at full resolution that reaches as far on
// the screen, in one run: glow at radius 48 (half- to thirty-second-screen
// levels, the smallest blurring 96 screen pixels) versus the Gaussian blur
// effect drawn across and then up and down over the whole 640 x 360 frame
// with a reach of 96 pixels, both on the engine's half-float targets. Each is
// timed over kDraws draws (each waited for with glFinish); the two take turns
// three times and the best of each counts. The counter full_blur_per_glow is
// how many times longer the full-size blur takes (the aim: at least 5).
// This one draws for real: it needs an X display (xvfb-run on llvmpipe).
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>
#include <irrlicht.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "render/engine.h"
#include "render/post/post_blur.h"
#include "render/post/post_glow.h"
#include "render/render_settings.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_manager.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 360;
constexpr int kDraws = 20;
constexpr int kRounds = 3;
constexpr float kGlowRadius = 48;
// The screen reach of the glow's smallest level: radius / 8 pixels, sixteen
// times over.
constexpr float kFullBlurSize = kGlowRadius * 2 * 0.0625f * 16;

using Clock = std::chrono::steady_clock;

double secondsPerDraw(const std::function<void()>& draw) {
  draw();
  glFinish();
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < kDraws; ++i) {
    draw();
    glFinish();
  }
  return std::chrono::duration<double>(Clock::now() - start).count() / kDraws;
}

void glowAgainstFullBlur(benchmark::State& state) {
  if (!getenv("DISPLAY")) {
    state.SkipWithError("needs an X display: run it under xvfb-run");
    return;
  }
  tk::setBaseDirectory(TESK_SOURCE_DIR "/runtime/");
  tk::SysSetup setup;
  setup.width = kWidth;
  setup.height = kHeight;
  setup.windowed = 1;
  setup.vsync = 0;
  if (tk::tkSysSetup(setup) != 0) {
    state.SkipWithError("the engine did not start");
    return;
  }
  tk::CTkManager* manager = tk::tkEngine().manager;
  tk::CTkRendererManager* renderers = manager->getRendererManager();
  tk::CTkRendererCtxAdv* context =
      renderers->createRenderTargets(12)
          ? renderers->createRendererCtxAdv(manager->getRenderServices(), manager->getEffectManager(),
                                            tk::ctxAdvFiles(false))
          : nullptr;
  tk::CTkPostBlur blur;
  if (!context || !blur.load(manager->getEffectManager(), manager->getRenderServices(),
                             tk::resolveFile("GaussianBlur.hlsl"))) {
    state.SkipWithError("could not make the glow");
    if (context) context->drop();
    tk::tkSysShutdown();
    return;
  }
  irr::video::ITexture* picture = renderers->targets().findTexture("BackRTT[0]");
  irr::video::ITexture* work = renderers->targets().findTexture("BackRTT[1]");
  irr::video::ITexture* frame = renderers->targets().findTexture("BackRTT[2]");
  const tk::STkRenderSettings settings;
  irr::video::IVideoDriver* driver = tk::tkEngine().driver;
  driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
  double glow = 1e9, fullBlur = 1e9;
  for (auto _ : state) {
    for (int round = 0; round < kRounds; ++round) {
      glow = std::min(glow, secondsPerDraw([&] {
                        context->glow()->render(frame, picture, kGlowRadius, 1, false, settings);
                      }));
      fullBlur = std::min(fullBlur, secondsPerDraw([&] { blur.blur(picture, work, kFullBlurSize, 1); }));
    }
    state.SetIterationTime(glow * kDraws);
  }
  driver->endScene();
  state.counters["glow_ms"] = glow * 1000;
  state.counters["full_blur_ms"] = fullBlur * 1000;
  state.counters["full_blur_per_glow"] = fullBlur / glow;
  context->drop();
  tk::tkSysShutdown();
}

[[maybe_unused]] const bool kRegistered = [] {
  tk::setLogThreshold(tk::LOG_NONE);
  tk::disableMessageBoxes();
  benchmark::RegisterBenchmark("BM_GlowAgainstFullBlur", glowAgainstFullBlur)
      ->Iterations(1)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
