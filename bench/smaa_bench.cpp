// SMAA against 2 x 2 supersampling of the same frame, in one run: a field of
// lit, turned cubes in a 640 x 360 window, drawn 100 times
// - into a screen-sized target and anti-aliased by SMAA straight to the screen, and
// - into a target of twice the width and height, then down-sampled to the
//   screen by one bilinear fetch per pixel (the mean of its four samples).
// The two take turns three times and the best of each counts; the counter
// smaa_per_supersampling is the ratio of SMAA's time per frame to
// supersampling's (the aim: at most 0.5); a third way, the plain frame copied
// to the screen, tells what each adds (smaa_added_per_supersampling_added).
// The scene is cheap to draw, so supersampling costs little more than its
// larger targets: the ratio falls as the frame's own drawing grows.
// TESK_SMAA_BENCH_ROUNDS=N takes the best of N rounds (for a busy machine).
// This one draws for real: it needs an X display (xvfb-run on llvmpipe).
#include <benchmark/benchmark.h>
#include <irrlicht.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "render/engine.h"
#include "render/post/post_smaa.h"
#include "render/render_services.h"
#include "render/renderer_ctx_adv.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 360;
constexpr int kFrames = 100;
constexpr int kWarmUpFrames = 5;
const irr::video::SColor kBackdrop(255, 10, 20, 40);

using Clock = std::chrono::steady_clock;

int rounds() {
  const char* value = getenv("TESK_SMAA_BENCH_ROUNDS");
  const int asked = value && *value ? atoi(value) : 0;
  return asked > 0 ? asked : 3;
}

double secondsPerFrame(const std::function<void()>& frame) {
  for (int i = 0; i < kWarmUpFrames; ++i) frame();
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < kFrames; ++i) frame();
  return std::chrono::duration<double>(Clock::now() - start).count() / kFrames;
}

// Cubes at many angles, so that edges run at every slope.
void makeScene(irr::scene::ISceneManager* scene) {
  for (int i = 0; i < 48; ++i) {
    irr::scene::IMeshSceneNode* cube = scene->addCubeSceneNode(9.0f);
    cube->setPosition({(i % 8) * 14.0f - 49.0f, (i / 8) * 14.0f - 35.0f, 40.0f + (i % 3) * 6.0f});
    cube->setRotation({i * 17.0f, i * 29.0f, i * 7.0f});
    cube->setMaterialFlag(irr::video::EMF_NORMALIZE_NORMALS, true);
  }
  scene->addLightSceneNode(nullptr, {-60, 80, -40}, irr::video::SColorf(1, 1, 1, 1), 400.0f);
  scene->setAmbientLight(irr::video::SColorf(0.2f, 0.2f, 0.25f, 1));
  irr::scene::ICameraSceneNode* camera = scene->addCameraSceneNode(nullptr, {0, 0, -60}, {0, 0, 40});
  scene->setActiveCamera(camera);
}

// One bilinear fetch at the corner the four samples of a screen pixel share
// is their mean.
constexpr const char* kDownSample = R"(// [TESK_BEGIN]
// texture Scene : : clamp_to_edge
// [TESK_END]
sampler2D Scene : register(s0);
struct VSOut { float4 position : POSITION; float2 uv : TEXCOORD0; };
VSOut vs_main(float4 p : POSITION, float2 uv : TEXCOORD0) { VSOut o; o.position = p; o.uv = uv; return o; }
float4 ps_main(float2 uv : TEXCOORD0) : COLOR { return tex2D(Scene, uv); }
)";

std::string writeDownSample() {
  char pattern[] = "/tmp/tesk-smaa-bench-XXXXXX.fx";
  const int fd = mkstemps(pattern, 3);
  if (fd < 0) return {};
  FILE* file = fdopen(fd, "w");
  fputs(kDownSample, file);
  fclose(file);
  return pattern;
}

tk::STkPostSMAAFiles smaaFiles() {
  const std::vector<std::string> resolved = tk::ctxAdvFiles(true);
  tk::STkPostSMAAFiles files;
  files.edges = resolved[tk::kCtxAdvSmaaEdges];
  files.weights = resolved[tk::kCtxAdvSmaaWeights];
  files.blend = resolved[tk::kCtxAdvSmaaBlend];
  files.gamma = resolved[tk::kCtxAdvGamma];
  files.areaTable = resolved[tk::kCtxAdvSmaaAreaTex];
  files.searchTable = resolved[tk::kCtxAdvSmaaSearchTex];
  return files;
}

void smaaAgainstSupersampling(benchmark::State& state) {
  if (!getenv("DISPLAY")) {
    state.SkipWithError("needs an X display: run it under xvfb-run");
    return;
  }
  tk::setBaseDirectory(TESK_SOURCE_DIR "/runtime/");
  tk::SysSetup setup;
  setup.antialias = 0;
  setup.width = kWidth;
  setup.height = kHeight;
  setup.colorBits = 32;
  setup.windowed = 1;
  setup.vsync = 0;
  if (tk::tkSysSetup(setup) != 0) {
    state.SkipWithError("the engine did not start");
    return;
  }
  irr::video::IVideoDriver* driver = tk::tkEngine().driver;
  irr::scene::ISceneManager* scene = tk::tkEngine().device->getSceneManager();
  tk::CTkRenderServices* services = tk::tkEngine().manager->getRenderServices();
  tk::CTkPostSMAA smaa;
  const bool ready = smaa.init(tk::tkEngine().manager->getEffectManager(), services, smaaFiles());
  const std::string downSampleFile = writeDownSample();
  tk::CTkPostEffect downSample;
  const bool downSampleReady = !downSampleFile.empty() && downSample.load(tk::tkEngine().manager->getEffectManager(), services, downSampleFile);
  if (!downSampleFile.empty()) remove(downSampleFile.c_str());
  const irr::core::dimension2du screen(kWidth, kHeight);
  irr::video::ITexture* source = driver->addRenderTargetTexture(screen, "SmaaSource", irr::video::ECF_A8R8G8B8);
  irr::video::ITexture* target = driver->addRenderTargetTexture(screen, "SmaaTarget", irr::video::ECF_A8R8G8B8);
  irr::video::ITexture* work = driver->addRenderTargetTexture(screen, "SmaaWork", irr::video::ECF_A8R8G8B8);
  irr::video::ITexture* big =
      driver->addRenderTargetTexture({kWidth * 2, kHeight * 2}, "Supersampled", irr::video::ECF_A8R8G8B8);
  if (!ready || !downSampleReady || !source || !target || !work || !big) {
    state.SkipWithError("could not make SMAA or its targets");
    tk::tkSysShutdown();
    return;
  }
  makeScene(scene);

  auto smaaFrame = [&] {
    driver->beginScene(false, false);
    driver->setRenderTarget(source, true, true, kBackdrop);
    scene->drawAll();
    smaa.render(target, source, work, true, false);
    driver->endScene();
  };
  auto plainFrame = [&] {
    driver->beginScene(false, false);
    driver->setRenderTarget(source, true, true, kBackdrop);
    scene->drawAll();
    services->setRenderTargets(nullptr, 0);
    services->copyTexture(source);
    driver->endScene();
  };
  auto supersampledFrame = [&] {
    driver->beginScene(false, false);
    driver->setRenderTarget(big, true, true, kBackdrop);
    scene->drawAll();
    downSample.draw(nullptr, big);
    driver->endScene();
  };
  double smaaSeconds = 1e9, supersampledSeconds = 1e9, plainSeconds = 1e9;
  for (auto _ : state) {
    for (int round = 0; round < rounds(); ++round) {
      smaaSeconds = std::min(smaaSeconds, secondsPerFrame(smaaFrame));
      supersampledSeconds = std::min(supersampledSeconds, secondsPerFrame(supersampledFrame));
      plainSeconds = std::min(plainSeconds, secondsPerFrame(plainFrame));
    }
    state.SetIterationTime(smaaSeconds * kFrames);
  }
  state.counters["smaa_ms_per_frame"] = smaaSeconds * 1000;
  state.counters["supersampling_ms_per_frame"] = supersampledSeconds * 1000;
  state.counters["smaa_per_supersampling"] = smaaSeconds / supersampledSeconds;
  // What each way adds to the plain frame (drawn once and copied to the screen).
  state.counters["plain_ms_per_frame"] = plainSeconds * 1000;
  state.counters["smaa_added_per_supersampling_added"] =
      (smaaSeconds - plainSeconds) / std::max(supersampledSeconds - plainSeconds, 1e-6);
  tk::tkSysShutdown();
}

BENCHMARK(smaaAgainstSupersampling)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

[[maybe_unused]] const bool kQuiet = [] {
  tk::setLogThreshold(tk::LOG_NONE);
  tk::disableMessageBoxes();
  return true;
}();

}  // namespace
