// What the depth of field, the temporal anti-aliasing blend and the gamma
// cost against a plain copy of the same picture, in one run: a 1024 x 576
// frame in 16-bit float targets (depth in R32F), each drawn 30 times between
// two waits for the GPU (the temporal blend with its history copy); the best
// of three rounds counts. The counters *_per_copy give each component's time
// over the copy's.
// This one draws for real: it needs an X display (xvfb-run on llvmpipe).
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>
#include <irrlicht.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "base/log.h"
#include "render/engine.h"
#include "render/post/post_antialias.h"
#include "render/post/post_depth_of_field.h"
#include "render/post/post_effect.h"
#include "render/render_services.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_manager.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "bench/gl_bench_engine.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 576;
constexpr int kDraws = 30;

irr::video::ITexture* target(const char* name, irr::video::ECOLOR_FORMAT format) {
  irr::video::ITexture* t = tk::tkEngine().manager->getRendererManager()->targets().create(
      name, irr::core::dimension2du(kWidth, kHeight), format, false, false);
  if (!t) std::abort();
  return t;
}

void BM_PostComponents(benchmark::State& state) {
  tk::bench::GlEngine engine(kWidth, kHeight, 1);
  tk::CTkManager* manager = tk::tkEngine().manager;
  tk::CTkRenderServices* services = manager->getRenderServices();
  tk::CTkRendererCtxAdv* context = manager->getRendererManager()->createRendererCtxAdv(
      services, manager->getEffectManager(), tk::ctxAdvFiles(true));
  if (!context || !context->antialias()) std::abort();
  irr::video::ITexture* source = target("BenchSource", irr::video::ECF_A16B16G16R16F);
  irr::video::ITexture* work = target("BenchWork", irr::video::ECF_A16B16G16R16F);
  irr::video::ITexture* out = target("BenchOut", irr::video::ECF_A16B16G16R16F);
  irr::video::ITexture* history = target("BenchHistory", irr::video::ECF_A16B16G16R16F);
  irr::video::ITexture* depth = target("BenchDepth", irr::video::ECF_R32F);
  tk::STkRenderSettings settings;
  settings.antialias[tk::kAntialiasMode] = 0;
  settings.antialias[tk::kAntialiasBlending] = 1;
  settings.antialias[tk::kAntialiasBlendingWeight] = 3;
  tk::STkAntialiasFrame frame;
  frame.target = out;
  frame.source = source;
  frame.work = work;
  frame.history = history;
  for (auto _ : state) {
    const double copy = tk::bench::secondsPerDraw([&] {
      services->setRenderTargets(&out, 1);
      services->copyTexture(source);
    }, kDraws);
    const double dof = tk::bench::secondsPerDraw(
        [&] { context->depthOfField()->renderArtist(out, source, depth, work, 1.0f); }, kDraws);
    const double blend =
        tk::bench::secondsPerDraw([&] { context->antialias()->render(settings, frame); }, kDraws);
    const double gamma = tk::bench::secondsPerDraw([&] { context->gamma()->draw(out, source); }, kDraws);
    state.counters["copy_ms"] = copy * 1e3;
    state.counters["dof_per_copy"] = dof / copy;
    state.counters["aa_temporal_per_copy"] = blend / copy;
    state.counters["gamma_per_copy"] = gamma / copy;
  }
  context->drop();
}
BENCHMARK(BM_PostComponents)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
